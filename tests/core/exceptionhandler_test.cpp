#include "core/exceptionhandler.h"

#include "platform/db/dberrors.h"
#include "tests/core/programfixture.h"

#include <stdexcept>

#include <gtest/gtest.h>

namespace kx {
namespace {

struct Shown {
    QStringList texts;
    QStringList captions;
};

template <typename E> Shown Handle(const E& error) {
    test::MessageRecorder recorder;
    HandleApplicationException(std::make_exception_ptr(error));
    Shown shown;
    for (const ui::MessageRequest& request : recorder.Requests()) {
        shown.texts.append(request.text);
        shown.captions.append(request.caption);
    }
    return shown;
}

TEST(HandleApplicationException, KnownEngineErrorsShowOnlyTheirPrompt) {
    const struct {
        quint16 code;
        const char* prompt;
    } cases[] = {
        {9729, "数据库主键重复"},
        {9734, "其它的数据库表中存在对该纪录的引用,纪录不能删除"},
        {10029, "数据太大,不能保存数据"},
        {10243, "有未关闭的数据表"},
        {10763, "数据已被其它用户修改,请重新查找刷新该记录,查看其它用户修改后的数据"},
        {10770, "数据库打开过程发生错误"},
    };
    for (const auto& c : cases) {
        const Shown shown = Handle(db::EngineError(c.code, "engine text"));
        EXPECT_EQ(shown.texts, QStringList{QString::fromUtf8(c.prompt)}) << c.code;
        EXPECT_EQ(shown.captions, QStringList{"提示信息"});
    }
}

TEST(HandleApplicationException, UnmatchedEngineErrorShowsPromptThenDetails) {
    const Shown shown = Handle(db::EngineError(10029, "too big", 12));
    EXPECT_EQ(shown.texts, (QStringList{"数据库操作错误",
                                        "EDBEngineError:ErrorCode: (10029,39,45,12)\ttoo big\n"}));
    EXPECT_EQ(shown.captions, (QStringList{"提示信息", "错误信息"}));
}

TEST(HandleApplicationException, CodeShownAsUnsigned16Bit) {
    const Shown shown = Handle(db::EDBEngineError({db::TDBError{0xFFFF, 255, 255, 0, "m"}}));
    ASSERT_EQ(shown.texts.size(), 2);
    EXPECT_EQ(shown.texts[1], "EDBEngineError:ErrorCode: (65535,255,255,0)\tm\n");
}

TEST(HandleApplicationException, EngineErrorWithoutEntriesShowsTheBoxAlone) {
    const Shown shown = Handle(db::EDBEngineError({}));
    EXPECT_EQ(shown.texts, QStringList{"EDBEngineError:ErrorCode:\t"});
    EXPECT_EQ(shown.captions, QStringList{"错误信息"});
}

TEST(HandleApplicationException, ConversionErrorsBecomePrompts) {
    EXPECT_EQ(Handle(EConvertError("'2007/13/45' is not a valid date")).texts,
              QStringList{"请按格式YYYY-MM-DD 输入日期"});
    EXPECT_EQ(Handle(EConvertError("Format '%d' invalid or incompatible with argument")).texts,
              QStringList{"指定的格式与参数类型不匹配!"});
    const Shown other = Handle(EConvertError("'x' is not a valid integer value"));
    EXPECT_EQ(other.texts, QStringList{"'x' is not a valid integer value"});
    EXPECT_EQ(other.captions, QStringList{"提示信息"});
}

TEST(HandleApplicationException, AbortIsSilentAndOthersShowClassAndMessage) {
    EXPECT_TRUE(Handle(EAbort()).texts.isEmpty());
    EXPECT_EQ(Handle(db::EDatabaseError("Field 'X' not found")).texts,
              QStringList{"EDatabaseError:Field 'X' not found"});
    EXPECT_EQ(Handle(Exception("boom")).texts, QStringList{"Exception:boom"});
    const Shown standard = Handle(std::runtime_error("bad"));
    EXPECT_EQ(standard.texts, QStringList{"std::runtime_error:bad"});
    EXPECT_EQ(standard.captions, QStringList{"错误信息"});
}

} // namespace
} // namespace kx
