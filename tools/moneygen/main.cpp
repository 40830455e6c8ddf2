// kxmoneygen <data folder> [records] [first year] [years]: fills a data
// folder with realistic in/out records, their subjects and fund accounts.

#include "tools/mkdatafolder/datafolder.h"
#include "tools/moneygen/moneygenerator.h"

#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    QTextStream err(stderr);
    if (args.size() < 2 || args.size() > 5) {
        err << "usage: kxmoneygen <data folder> [records] [first year] [years]\n";
        return 2;
    }
    kx::tools::TMoneyGenOptions options;
    bool ok = true;
    const auto number = [&](int index, int& target) {
        if (args.size() > index)
            target = args[index].toInt(&ok);
    };
    number(2, options.Records);
    if (ok)
        number(3, options.FirstYear);
    if (ok)
        number(4, options.Years);
    if (!ok || options.Records < 0 || options.Years < 1) {
        err << "kxmoneygen: records, first year and years are whole numbers\n";
        return 2;
    }
    const QString error = kx::tools::GenerateMoneyRecords(
        QDir(args[1]).filePath(kx::tools::kDatabaseFileName), options);
    if (!error.isEmpty()) {
        err << "kxmoneygen: " << error << "\n";
        return 1;
    }
    return 0;
}
