// The encodings of the text files users open in an editor (the festival file,
// the memo file, the holiday schedule, Solvane.ini). The program keeps them
// as GBK with CR LF, but Notepad re-saves them as "Unicode" (UTF-16 LE with a
// byte-order mark), as UTF-8 with or without a mark, and other editors as
// UTF-16 BE or without a mark. Every reader takes its file through
// DecodeTextFile, so each of them reads what any editor wrote.
#pragma once

#include <cstdint>
#include <string>

enum class TextFileEncoding : std::uint8_t {
    kGbk,
    kUtf8,
    kUtf16Le,
    kUtf16Be,
    kUnreadable,  // UTF-32, UTF-16 of an odd length, a UTF-8 mark before bytes that are not UTF-8
};

struct DecodedTextFile {
    std::string text;  // GBK, without a byte-order mark
    TextFileEncoding encoding = TextFileEncoding::kGbk;
    bool marked = false;  // began with a byte-order mark
    // Characters without a GBK form (an emoji, a rare ideograph) were read
    // as '?': writing the text back would lose them.
    bool unmappable = false;

    // Whether writing `text` back as GBK would change the file's bytes for a
    // reason other than an edit: another encoding, or characters lost.
    bool NotGbk() const { return encoding != TextFileEncoding::kGbk; }
};

// Tells the encoding from a byte-order mark, else from the NUL bytes that
// UTF-16 puts beside every ASCII character, else from the bytes being UTF-8
// with at least one character beyond ASCII; anything else is GBK, taken as
// it is (a GBK file is moved, not copied). The text of an unreadable file is
// empty.
DecodedTextFile DecodeTextFile(std::string bytes);

// GBK text as a file in the given encoding, with a byte-order mark when
// `marked`: for adding to a file in the encoding it already has. GBK and
// kUnreadable give the text as it is.
std::string EncodeTextFile(const std::string& gbk, TextFileEncoding encoding, bool marked);

// "GBK", "UTF-8", "UTF-16", ... for the user's messages.
const char* TextFileEncodingName(TextFileEncoding encoding);
