#include "base/list_file_messages.h"

#include <gtest/gtest.h>

#include "base/file_system.h"

namespace {

const ListFileWords kFestivals{"节日", "行", kFestivalFileLimit};
const ListFileWords kReminders{"备忘", "记录", kReminderFileLimit};

std::string Naming(const TextAroundFile& text, const std::string& file) { return text.before + file + text.after; }

TEST(ListFileMessages, AskAndExplainInTheWordsOfTheirFile) {
    struct Case {
        const ListFileWords& words;
        const char* prompt;
        const char* reason;
    };
    for (const Case& c : {Case{kFestivals, "已经修改了节日，是否保存？", "有尚未保存的节日修改"},
                          Case{kReminders, "已经修改了备忘，是否保存？", "有尚未保存的备忘修改"}}) {
        EXPECT_EQ(SavePromptText(c.words), c.prompt);
        EXPECT_EQ(UnsavedChangesReason(c.words), c.reason);
    }
}

TEST(ListFileMessages, NameTheFileTheChangesCouldNotGoInto) {
    EXPECT_EQ(Naming(CannotSaveText(kReminders), "D:\\日历\\Reminders\\reminders.cfg"),
              "无法保存备忘文件：\nD:\\日历\\Reminders\\reminders.cfg\n\n你的修改还没有保存。请确认该文件夹存在、"
              "文件没有被其他程序占用、磁盘没有写满，然后再点「保存并关闭」。");
    EXPECT_EQ(Naming(CannotReadText(kFestivals), "D:\\日历\\Ostrel\\holidays.cfg"),
              "无法读取节日文件，修改不能保存：\nD:\\日历\\Ostrel\\holidays.cfg\n\n打开节日管理时没能读出这个文件，"
              "保存会用下面的列表替换整个文件，其中其余的节日将会丢失。\n你的修改仍在列表中。请确认该文件没有被其他程序"
              "占用并且可以读取，然后再点「保存并关闭」。\n超过 16 MB 的节日文件被视为已损坏，不会读取；请把它移走或"
              "改名后再打开节日管理。");
    EXPECT_NE(CannotReadText(kReminders).after.find("超过 256 MB 的备忘文件被视为已损坏"), std::string::npos);
}

// Size rounded up, so that a file just over the limit never reads as at it.
TEST(ListFileMessages, AFileBeyondItsLimitIsNamedWithItsSizeAndTheLimit) {
    EXPECT_EQ(Naming(TooLargeText("备忘", (256u << 20) + 1, kReminderFileLimit), "D:\\日历\\Reminders\\reminders.cfg"),
              "备忘文件太大（256.1 MB，超过了本程序能读的 256 MB），只读入了前 256 MB 中的备忘：\n"
              "D:\\日历\\Reminders\\reminders.cfg\n\n文件后面部分中的备忘没有读入，不会显示，也不会提醒。文件本身没有被"
              "改动；把它改小或移到别处后，程序会自动重新读取。");
    EXPECT_EQ(TooLargeText("节日", 20u << 20, kFestivalFileLimit).before,
              "节日文件太大（20.0 MB，超过了本程序能读的 16 MB），只读入了前 16 MB 中的节日：\n");
}

TEST(ListFileMessages, TellWhereTheCopyWasKeptAndWhatTheFileHeld) {
    FileBaseline changed;
    EXPECT_EQ(Naming(BackupKeptText(kFestivals, changed), "holidays.cfg.20260101-080000.bak"),
              "节日已保存。\n\n节日文件在打开节日管理后被其他程序改动过。\n保存前已将原来的文件备份为：\n"
              "holidays.cfg.20260101-080000.bak\n\n如需找回其中的内容，可以用记事本打开该备份。");
    FileBaseline notepad;
    notepad.encoding = TextFileEncoding::kUtf16Le;
    notepad.unmappable = true;
    notepad.kept = 3;
    notepad.skipped = 2;
    EXPECT_EQ(BackupKeptText(kReminders, notepad).before,
              "备忘已保存。\n\n原来的文件是 UTF-16 编码，已改存为本程序的 GBK 格式，内容没有变。\n"
              "文件中有 GBK 无法表示的字符（如表情符号），保存的文件中已变为「?」，原样留在备份中。\n"
              "读入了 3 条备忘；无法读取的记录（2 处）没有读入，原样留在备份中。\n保存前已将原来的文件备份为：\n");
}

TEST(ListFileMessages, OfferToReadAnUnreadFileAgainKeepingItsEntries) {
    EXPECT_EQ(Naming(ReadAgainText(kReminders), "reminders.cfg"),
              "打开备忘管理时没能读出备忘文件：\nreminders.cfg\n\n现在重新读取该文件，把你新添加的备忘加到文件原有的"
              "备忘之后再保存吗？\n文件中原有的备忘都会保留。选择「否」回到备忘管理，你的修改仍在列表中。");
}

}  // namespace
