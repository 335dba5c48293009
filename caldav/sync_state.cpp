#include "caldav/sync_state.h"

#include "base/file_system.h"
#include "base/hex_digits.h"

namespace {

constexpr char kHeader[] = "Tavro calendar sync 1";
constexpr std::size_t kStateFileLimit = 16u << 20;

// Values go one per field between tabs: the characters that would break a
// line or a field, and the escape itself, are written as %XX.
std::string Escaped(const std::string& value) {
    std::string out;
    for (const char c : value) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (c == '%' || u < 0x20 || u == 0x7F) {
            out += '%';
            out += HexDigitOf(u >> 4);
            out += HexDigitOf(u);
        } else {
            out += c;
        }
    }
    return out;
}

bool Unescaped(const std::string& value, std::string& out) {
    out.clear();
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '%') {
            out += value[i];
            continue;
        }
        if (i + 2 >= value.size()) return false;
        const int high = HexDigitValue(value[i + 1]), low = HexDigitValue(value[i + 2]);
        if (high < 0 || low < 0) return false;
        out += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return true;
}

std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t at = 0;
    while (true) {
        const std::size_t tab = line.find('\t', at);
        fields.push_back(line.substr(at, tab == std::string::npos ? std::string::npos : tab - at));
        if (tab == std::string::npos) return fields;
        at = tab + 1;
    }
}

}  // namespace

SyncedResource* SyncState::Find(const std::string& href) {
    for (SyncedResource& resource : resources) {
        if (resource.href == href) return &resource;
    }
    return nullptr;
}

std::filesystem::path SyncStatePath(const std::filesystem::path& reminderFile) {
    return reminderFile.parent_path() / "caldav_sync.state";
}

std::string WriteSyncState(const SyncState& state) {
    std::string text = std::string(kHeader) + "\n";
    text += "server\t" + Escaped(state.server) + "\n";
    text += "user\t" + Escaped(state.user) + "\n";
    text += "calendar-name\t" + Escaped(state.calendarName) + "\n";
    text += "calendar\t" + Escaped(state.calendarUrl) + "\n";
    text += "token\t" + Escaped(state.syncToken) + "\n";
    for (const SyncedResource& r : state.resources) {
        text += "event\t" + Escaped(r.href) + "\t" + Escaped(r.etag) + "\t" + Escaped(r.hash) + "\t" +
                (r.conflict ? "conflict" : "synced") + "\t" + Escaped(r.label) + "\n";
    }
    return text;
}

std::optional<SyncState> ReadSyncState(const std::string& text) {
    SyncState state;
    std::size_t at = 0;
    bool first = true;
    while (at < text.size()) {
        std::size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(at, end - at);
        at = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (first) {
            if (line != kHeader) return std::nullopt;
            first = false;
            continue;
        }
        if (line.empty()) continue;
        std::vector<std::string> fields = Fields(line);
        for (std::string& field : fields) {
            std::string plain;
            if (!Unescaped(field, plain)) return std::nullopt;
            field = plain;
        }
        const std::string& key = fields[0];
        if (key == "event") {
            if (fields.size() != 6 || fields[1].empty() || (fields[4] != "conflict" && fields[4] != "synced")) {
                return std::nullopt;
            }
            if (state.Find(fields[1])) return std::nullopt;  // one entry per resource
            state.resources.push_back(
                SyncedResource{fields[1], fields[2], fields[3], fields[4] == "conflict", fields[5]});
            continue;
        }
        if (fields.size() != 2) return std::nullopt;
        if (key == "server") {
            state.server = fields[1];
        } else if (key == "user") {
            state.user = fields[1];
        } else if (key == "calendar-name") {
            state.calendarName = fields[1];
        } else if (key == "calendar") {
            state.calendarUrl = fields[1];
        } else if (key == "token") {
            state.syncToken = fields[1];
        }
        // Keys of a later version are passed over.
    }
    if (first) return std::nullopt;
    return state;
}

SyncStateLoad LoadSyncState(const std::filesystem::path& path, SyncState& state) {
    std::string text;
    const FileRead read = ReadFileWithin(path, kStateFileLimit, text);
    if (read == FileRead::kMissing) return SyncStateLoad::kMissing;
    if (read != FileRead::kRead) return SyncStateLoad::kDamaged;
    std::optional<SyncState> loaded = ReadSyncState(text);
    if (!loaded) return SyncStateLoad::kDamaged;
    state = std::move(*loaded);
    return SyncStateLoad::kRead;
}

bool SaveSyncState(const std::filesystem::path& path, const SyncState& state) {
    return ReplaceFileAtomically(path, WriteSyncState(state));
}
