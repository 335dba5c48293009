#include "caldav/dav_answer.h"

#include <expat.h>

#include <cstring>
#include <memory>

namespace {

// Element names as expat gives them with namespaces: URI, separator, local name.
constexpr char kSeparator = '|';
const std::string kDav = "DAV:|";
const std::string kCalDav = "urn:ietf:params:xml:ns:caldav|";

struct ParserFree {
    void operator()(XML_Parser parser) const { XML_ParserFree(parser); }
};

class Reader {
public:
    std::optional<DavMultistatus> Read(std::string_view xml, std::string* error);

private:
    static void XMLCALL Start(void* self, const XML_Char* name, const XML_Char** attributes) {
        static_cast<Reader*>(self)->OnStart(name, attributes);
    }
    static void XMLCALL End(void* self, const XML_Char* name) { static_cast<Reader*>(self)->OnEnd(name); }
    static void XMLCALL Text(void* self, const XML_Char* text, int length) {
        static_cast<Reader*>(self)->text_.append(text, static_cast<std::size_t>(length));
    }
    static void XMLCALL Doctype(void* self, const XML_Char*, const XML_Char*, const XML_Char*, int) {
        Reader* reader = static_cast<Reader*>(self);
        reader->Fail("the answer declares a document type");
    }

    void OnStart(const std::string& name, const XML_Char** attributes);
    void OnEnd(const std::string& name);
    void Fail(const std::string& why) {
        if (failure_.empty()) failure_ = why;
        XML_StopParser(parser_, XML_FALSE);
    }
    // Whether the open elements end with these names, innermost last.
    bool Within(std::initializer_list<const char*> names) const {
        if (open_.size() < names.size()) return false;
        std::size_t i = open_.size() - names.size();
        for (const char* name : names) {
            if (open_[i++] != name) return false;
        }
        return true;
    }

    XML_Parser parser_ = nullptr;
    std::vector<std::string> open_;
    std::string text_;
    std::string failure_;
    DavMultistatus result_;
    bool sawRoot_ = false;
    // The propstat being read: its properties count only if its status is 2xx.
    DavProperties propstat_;
    int propstatStatus_ = 0;
};

std::string Trimmed(const std::string& text) {
    const char* space = " \t\r\n";
    const std::size_t first = text.find_first_not_of(space);
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(space) - first + 1);
}

void Reader::OnStart(const std::string& name, const XML_Char** attributes) {
    // Pushed whatever follows: expat may still report the end of an element
    // it started after the parser was told to stop.
    open_.push_back(name);
    if (!failure_.empty()) return;
    if (open_.size() == 1) {
        if (name != kDav + "multistatus") return Fail("the answer is no multistatus");
        sawRoot_ = true;
    }
    text_.clear();
    if (Within({"DAV:|multistatus", "DAV:|response"})) {
        if (result_.responses.size() >= kDavMaxResponses) return Fail("the answer lists too many resources");
        result_.responses.emplace_back();
    } else if (Within({"DAV:|response", "DAV:|propstat"})) {
        propstat_ = DavProperties();
        propstatStatus_ = 0;
    } else if (Within({"DAV:|prop", "DAV:|resourcetype", "urn:ietf:params:xml:ns:caldav|calendar"})) {
        propstat_.isCalendar = true;
    } else if (Within({"DAV:|prop", "DAV:|resourcetype", "DAV:|collection"})) {
        propstat_.isCollection = true;
    } else if (Within({"urn:ietf:params:xml:ns:caldav|supported-calendar-component-set",
                       "urn:ietf:params:xml:ns:caldav|comp"})) {
        for (const XML_Char** a = attributes; a[0] && a[1]; a += 2) {
            if (std::strcmp(a[0], "name") == 0) propstat_.components.emplace_back(a[1]);
        }
    }
}

void Reader::OnEnd(const std::string& name) {
    if (!failure_.empty()) {
        if (!open_.empty()) open_.pop_back();
        return;
    }
    const std::string text = text_;
    text_.clear();
    if (!result_.responses.empty()) {
        DavResponse& response = result_.responses.back();
        if (Within({"DAV:|response", "DAV:|href"})) {
            response.href = Trimmed(text);
        } else if (Within({"DAV:|response", "DAV:|status"})) {
            response.status = DavStatusCode(Trimmed(text));
        } else if (Within({"DAV:|propstat", "DAV:|status"})) {
            propstatStatus_ = DavStatusCode(Trimmed(text));
        } else if (Within({"DAV:|prop", "DAV:|getetag"})) {
            propstat_.etag = Trimmed(text);
        } else if (Within({"DAV:|prop", "DAV:|displayname"})) {
            propstat_.displayName = Trimmed(text);
        } else if (Within({"DAV:|prop", "urn:ietf:params:xml:ns:caldav|calendar-data"})) {
            propstat_.calendarData = text;
        } else if (Within({"DAV:|prop", "DAV:|current-user-principal", "DAV:|href"})) {
            propstat_.principal = Trimmed(text);
        } else if (Within({"DAV:|prop", "urn:ietf:params:xml:ns:caldav|calendar-home-set", "DAV:|href"})) {
            if (propstat_.calendarHome.empty()) propstat_.calendarHome = Trimmed(text);
        } else if (Within({"DAV:|response", "DAV:|propstat"})) {
            if (propstatStatus_ >= 200 && propstatStatus_ < 300) {
                DavProperties& found = response.found;
                const DavProperties& p = propstat_;
                if (!p.etag.empty()) found.etag = p.etag;
                if (!p.displayName.empty()) found.displayName = p.displayName;
                if (!p.calendarData.empty()) found.calendarData = p.calendarData;
                if (!p.principal.empty()) found.principal = p.principal;
                if (!p.calendarHome.empty()) found.calendarHome = p.calendarHome;
                found.isCalendar = found.isCalendar || p.isCalendar;
                found.isCollection = found.isCollection || p.isCollection;
                found.components.insert(found.components.end(), p.components.begin(), p.components.end());
            }
        }
    }
    if (Within({"DAV:|multistatus", "DAV:|sync-token"})) result_.syncToken = Trimmed(text);
    (void)name;
    open_.pop_back();
}

std::optional<DavMultistatus> Reader::Read(std::string_view xml, std::string* error) {
    const std::unique_ptr<XML_ParserStruct, ParserFree> parser(XML_ParserCreateNS(nullptr, kSeparator));
    if (!parser) {
        if (error) *error = "no memory for the XML parser";
        return std::nullopt;
    }
    parser_ = parser.get();
    XML_SetUserData(parser_, this);
    XML_SetElementHandler(parser_, Start, End);
    XML_SetCharacterDataHandler(parser_, Text);
    XML_SetStartDoctypeDeclHandler(parser_, Doctype);
    // Fed in pieces: expat takes an int length.
    constexpr std::size_t kPiece = 1u << 20;
    bool ok = true;
    std::size_t at = 0;
    do {
        const std::size_t n = std::min(kPiece, xml.size() - at);
        const bool last = at + n == xml.size();
        ok = XML_Parse(parser_, xml.data() + at, static_cast<int>(n), last ? XML_TRUE : XML_FALSE) == XML_STATUS_OK;
        at += n;
    } while (ok && at < xml.size());
    if (!ok || !failure_.empty() || !sawRoot_) {
        if (error) {
            if (!failure_.empty()) {
                *error = failure_;
            } else if (!ok) {
                *error = std::string("the answer is no well-formed XML (") +
                         XML_ErrorString(XML_GetErrorCode(parser_)) + ", line " +
                         std::to_string(XML_GetCurrentLineNumber(parser_)) + ")";
            } else {
                *error = "the answer is empty";
            }
        }
        return std::nullopt;
    }
    return std::move(result_);
}

}  // namespace

std::optional<DavMultistatus> ReadDavMultistatus(std::string_view xml, std::string* error) {
    Reader reader;
    return reader.Read(xml, error);
}

int DavStatusCode(std::string_view line) {
    const std::size_t space = line.find(' ');
    if (space == std::string_view::npos || line.size() < space + 4) return 0;
    int code = 0;
    for (std::size_t i = space + 1; i < space + 4; ++i) {
        if (line[i] < '0' || line[i] > '9') return 0;
        code = code * 10 + (line[i] - '0');
    }
    if (line.size() > space + 4 && line[space + 4] != ' ') return 0;
    return code;
}
