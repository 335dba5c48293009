#include "caldav/dav_answer.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// What servers answer in their own prefixes and layouts.
TEST(DavAnswer, ReadsThePropertiesOfEachResourceWhateverThePrefixes) {
    const std::string radicaleStyle =
        "<?xml version='1.0' encoding='utf-8'?>\n"
        "<multistatus xmlns=\"DAV:\" xmlns:C=\"urn:ietf:params:xml:ns:caldav\">"
        "<response><href>/alice/</href><propstat><prop>"
        "<current-user-principal><href>/alice/</href></current-user-principal>"
        "<C:calendar-home-set><href>/alice/</href></C:calendar-home-set>"
        "</prop><status>HTTP/1.1 200 OK</status></propstat></response>"
        "<response><href>/alice/tavro-calendar/</href><propstat><prop>"
        "<resourcetype><collection/><C:calendar/></resourcetype>"
        "<displayname>Tavro\xE6\x97\xA5\xE5\x8E\x86</displayname>"
        "<C:supported-calendar-component-set><C:comp name=\"VEVENT\"/><C:comp name=\"VTODO\"/>"
        "</C:supported-calendar-component-set></prop><status>HTTP/1.1 200 OK</status></propstat>"
        "<propstat><prop><getetag/></prop><status>HTTP/1.1 404 Not Found</status></propstat></response>"
        "</multistatus>";
    std::string error;
    const auto read = ReadDavMultistatus(radicaleStyle, &error);
    ASSERT_TRUE(read) << error;
    ASSERT_EQ(read->responses.size(), 2u);
    EXPECT_EQ(read->responses[0].href, "/alice/");
    EXPECT_EQ(read->responses[0].found.principal, "/alice/");
    EXPECT_EQ(read->responses[0].found.calendarHome, "/alice/");
    EXPECT_FALSE(read->responses[0].found.isCalendar);
    const DavProperties& calendar = read->responses[1].found;
    EXPECT_TRUE(calendar.isCalendar);
    EXPECT_TRUE(calendar.isCollection);
    EXPECT_EQ(calendar.displayName, "Tavro\xE6\x97\xA5\xE5\x8E\x86");
    EXPECT_EQ(calendar.components, (std::vector<std::string>{"VEVENT", "VTODO"}));
    EXPECT_EQ(calendar.etag, "") << "a property the server lacks (404 propstat) is not taken";
}

TEST(DavAnswer, ReadsASyncReportWithChangedAndRemovedMembersAndTheNewToken) {
    const std::string report =
        "<d:multistatus xmlns:d=\"DAV:\">"
        "<d:response><d:href>/a/cal/f1.ics</d:href><d:propstat><d:prop><d:getetag>\"e1\"</d:getetag></d:prop>"
        "<d:status>HTTP/1.1 200 OK</d:status></d:propstat></d:response>"
        "<d:response><d:href>/a/cal/gone.ics</d:href><d:status>HTTP/1.1 404 Not Found</d:status></d:response>"
        "<d:sync-token>http://radicale.org/ns/sync/abc</d:sync-token></d:multistatus>";
    const auto read = ReadDavMultistatus(report, nullptr);
    ASSERT_TRUE(read);
    ASSERT_EQ(read->responses.size(), 2u);
    EXPECT_EQ(read->responses[0].found.etag, "\"e1\"");
    EXPECT_EQ(read->responses[0].status, 0);
    EXPECT_EQ(read->responses[1].status, 404);
    EXPECT_EQ(read->syncToken, "http://radicale.org/ns/sync/abc");
}

TEST(DavAnswer, RefusesWhatNoServerShouldSend) {
    const struct {
        const char* what;
        std::string xml;
        const char* says;
    } cases[] = {
        {"empty", "", "well-formed"},
        {"an HTML error page", "<html><body>502 Bad Gateway</body></html>", "no multistatus"},
        {"cut short", "<d:multistatus xmlns:d=\"DAV:\"><d:response><d:href>/x", "well-formed"},
        {"entities that blow up",
         "<!DOCTYPE m [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;\">]>"
         "<d:multistatus xmlns:d=\"DAV:\"><d:response><d:href>&b;</d:href></d:response></d:multistatus>",
         "document type"},
        {"the wrong namespace", "<multistatus xmlns=\"urn:other\"/>", "no multistatus"},
    };
    for (const auto& c : cases) {
        std::string error;
        EXPECT_FALSE(ReadDavMultistatus(c.xml, &error)) << c.what;
        EXPECT_NE(error.find(c.says), std::string::npos) << c.what << ": " << error;
    }
}

TEST(DavAnswer, StatusLines) {
    const struct {
        const char* line;
        int code;
    } cases[] = {{"HTTP/1.1 200 OK", 200}, {"HTTP/1.1 404 Not Found", 404}, {"HTTP/1.1 507", 507},
                 {"HTTP/1.1 20", 0},       {"HTTP/1.1 2000 x", 0},          {"garbage", 0}};
    for (const auto& c : cases) EXPECT_EQ(DavStatusCode(c.line), c.code) << c.line;
}

}  // namespace
