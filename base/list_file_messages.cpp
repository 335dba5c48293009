#include "base/list_file_messages.h"

std::string EntryGoneText(const ListFileWords& words) {
    return std::string("这条") + words.noun + "已不在" + words.noun + "文件中，可能刚被修改或删除。";
}

std::string DeleteEntryQuestion(const ListFileWords& words, const std::string& entryText) {
    return std::string("删除这条") + words.noun + "吗？\n\n" + entryText;
}

std::string SavePromptText(const ListFileWords& words) {
    return std::string("已经修改了") + words.noun + "，是否保存？";
}

std::string UnsavedChangesReason(const ListFileWords& words) {
    return std::string("有尚未保存的") + words.noun + "修改";
}

TextAroundFile CannotReadText(const ListFileWords& words) {
    const std::string noun = words.noun;
    const std::string megabytes = std::to_string(words.sizeLimit >> 20);
    return {"无法读取" + noun + "文件，修改不能保存：\n",
            "\n\n打开" + noun + "管理时没能读出这个文件，保存会用下面的列表替换整个文件，其中其余的" + noun +
                "将会丢失。\n你的修改仍在列表中。请确认该文件没有被其他程序占用并且可以读取，然后再点「保存并关闭」。"
                "\n超过 " +
                megabytes + " MB 的" + noun + "文件被视为已损坏，不会读取；请把它移走或改名后再打开" + noun + "管理。"};
}

TextAroundFile CannotSaveText(const ListFileWords& words) {
    return {std::string("无法保存") + words.noun + "文件：\n",
            "\n\n你的修改还没有保存。请确认该文件夹存在、文件没有被其他程序占用、磁盘没有写满，然后再点「保存并关闭」"
            "。"};
}

TextAroundFile ReadAgainText(const ListFileWords& words) {
    const std::string noun = words.noun;
    return {"打开" + noun + "管理时没能读出" + noun + "文件：\n",
            "\n\n现在重新读取该文件，把你新添加的" + noun + "加到文件原有的" + noun + "之后再保存吗？\n文件中原有的" +
                noun + "都会保留。选择「否」回到" + noun + "管理，你的修改仍在列表中。"};
}

TextAroundFile ChangedSinceReadText(const ListFileWords& words) {
    const std::string noun = words.noun;
    return {noun + "文件在打开" + noun + "管理后已被其他程序改动：\n",
            "\n\n「是」：重新读取这个文件，放弃在这里所做的修改。\n"
            "「否」：用这里的列表覆盖它，另一版本先另存为副本。\n"
            "「取消」：回到" +
                noun + "管理，什么也不保存。"};
}

TextAroundFile TooLargeText(const char* noun, std::uint64_t size, std::size_t limit) {
    constexpr std::uint64_t kMiB = 1u << 20;
    const std::uint64_t tenths = (size * 10 + kMiB - 1) / kMiB;
    const std::string limitMegabytes = std::to_string(limit >> 20);
    return {std::string(noun) + "文件太大（" + std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) +
                " MB，超过了本程序能读的 " + limitMegabytes + " MB），只读入了前 " + limitMegabytes + " MB 中的" +
                noun + "：\n",
            std::string("\n\n文件后面部分中的") + noun +
                "没有读入，不会显示，也不会提醒。文件本身没有被改动；把它改小或移到别处后，程序会自动重新读取。"};
}

TextAroundFile BackupKeptText(const ListFileWords& words, const FileBaseline& loaded) {
    const std::string noun = words.noun, entry = words.entry;
    std::string why;
    if (loaded.encoding != TextFileEncoding::kGbk) {
        why += std::string("原来的文件是 ") + TextFileEncodingName(loaded.encoding) +
               " 编码，已改存为本程序的 GBK 格式，内容没有变。\n";
    }
    if (loaded.unmappable)
        why += "文件中有 GBK 无法表示的字符（如表情符号），保存的文件中已变为「?」，原样留在备份中。\n";
    if (loaded.skipped > 0) {
        why += "读入了 " + std::to_string(loaded.kept) + " 条" + noun + "；无法读取的" + entry + "（" +
               std::to_string(loaded.skipped) + " 处）没有读入，原样留在备份中。\n";
    }
    if (loaded.doubled) {
        why += "文件中的" + noun + "写了两遍或有重复的编号（可能来自同步冲突或手工合并），都已读入（共 " +
               std::to_string(loaded.kept) + " 条），原样留在备份中。\n";
    }
    if (why.empty()) why = noun + "文件在打开" + noun + "管理后被其他程序改动过。\n";
    return {noun + "已保存。\n\n" + why + "保存前已将原来的文件备份为：\n",
            "\n\n如需找回其中的内容，可以用记事本打开该备份。"};
}
