// kxmkdata <schema folder> <data folder>: makes a fresh data folder.

#include "tools/mkdatafolder/datafolder.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    QTextStream err(stderr);
    if (args.size() != 3) {
        err << "usage: kxmkdata <schema folder> <data folder>\n";
        return 2;
    }
    const QString error = kx::tools::CreateDataFolder(args[1], args[2]);
    if (!error.isEmpty()) {
        err << "kxmkdata: " << error << "\n";
        return 1;
    }
    return 0;
}
