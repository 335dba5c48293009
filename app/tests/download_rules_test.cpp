#include "app/download_rules.h"

#include <gtest/gtest.h>

namespace {

TEST(DownloadRules, ARedirectIsFollowedOnlyWhereTheAddressRuleAllows) {
    const std::string local = "http://127.0.0.1:8000/solvane/version.txt";
    const std::string site = "https://www.tavro-calendar.com/solvane/version.txt";
    const struct {
        std::string url;
        int status;
        const char* location;
        int followed;
        AnswerStep step;
        const char* next;
    } cases[] = {
        {local, 200, "", 0, AnswerStep::kRead, ""},
        {local, 302, "/v2/version.txt", 0, AnswerStep::kFollow, "http://127.0.0.1:8000/v2/version.txt"},
        {local, 307, "http://127.0.0.1:9000/version.txt", 4, AnswerStep::kFollow, "http://127.0.0.1:9000/version.txt"},
        {local, 302, "http://127.0.0.2:8000/version.txt", 0, AnswerStep::kRefuse, ""},  // another host
        {local, 301, "http://evil.example/version.txt", 0, AnswerStep::kRefuse, ""},
        {local, 302, "//evil.example/version.txt", 0, AnswerStep::kRefuse, ""},
        {local, 302, "http://127.0.0.1:80@evil.example/", 0, AnswerStep::kRefuse, ""},
        {local, 302, "file:///C:/Windows/win.ini", 0, AnswerStep::kRefuse, ""},
        {local, 302, "", 0, AnswerStep::kRefuse, ""},
        {local, 302, "/again", kMaxRedirects, AnswerStep::kRefuse, ""},  // hops used up
        {site, 302, "https://cdn.tavro-calendar.com/v.txt", 0, AnswerStep::kFollow,
         "https://cdn.tavro-calendar.com/v.txt"},
        {site, 302, "http://127.0.0.1:8000/version.txt", 0, AnswerStep::kRefuse, ""},  // never down to plain http
        {site, 303, "http://www.tavro-calendar.com/v.txt", 0, AnswerStep::kRefuse, ""},
        {local, 404, "", 0, AnswerStep::kRefuse, ""},
        {local, 304, "/cached", 0, AnswerStep::kRefuse, ""},
        {local, 500, "", 0, AnswerStep::kRefuse, ""},
    };
    for (const auto& c : cases) {
        const AnswerVerdict verdict = JudgeAnswer(c.url, c.status, c.location, c.followed);
        EXPECT_EQ(verdict.step, c.step) << c.status << " " << c.location;
        EXPECT_EQ(verdict.next, c.next) << c.status << " " << c.location;
    }
}

TEST(DownloadRules, ALocationIsResolvedAgainstTheAddressThatGaveIt) {
    const struct {
        const char* from;
        const char* location;
        const char* resolved;
    } cases[] = {
        {"http://127.0.0.1:8000/a/version.txt", "https://example.org/x", "https://example.org/x"},
        {"http://127.0.0.1:8000/a/version.txt", "//example.org/x", "http://example.org/x"},
        {"https://example.org/a/version.txt", "//cdn.example.org/x", "https://cdn.example.org/x"},
        {"http://127.0.0.1:8000/a/version.txt?v=1", "/b/new.txt", "http://127.0.0.1:8000/b/new.txt"},
        {"http://127.0.0.1:8000/a/version.txt?v=1", "new.txt", "http://127.0.0.1:8000/a/new.txt"},
        {"http://127.0.0.1:8000/a/version.txt", "?v=2", "http://127.0.0.1:8000/a/version.txt?v=2"},
        {"http://127.0.0.1:8000", "new.txt", "http://127.0.0.1:8000/new.txt"},
        {"http://127.0.0.1:8000?x", "?v=2", "http://127.0.0.1:8000/?v=2"},
        {"http://127.0.0.1/a/b", "/c#top", "http://127.0.0.1/c"},
        {"http://127.0.0.1/a/b", "#top", ""},
        {"http://127.0.0.1/a/b", "/c d", ""},
        {"http://127.0.0.1/a/b", "/\xB0\xA1", ""},
        {"http://127.0.0.1/a/b", "/c\r\nSet-Cookie: x", ""},
        {"file:///C:/a", "b", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(ResolveRedirect(c.from, c.location), c.resolved) << c.location;
}

TEST(DownloadRules, AnAnswerLongerThanWhatIsReadOfItIsRefusedNotCut) {
    DownloadedBody exact(8);
    EXPECT_TRUE(exact.Add("1234", 4));
    EXPECT_TRUE(exact.Add("5678", 4));
    EXPECT_FALSE(exact.TooLong());
    EXPECT_EQ(exact.Text(), "12345678");

    DownloadedBody endless(8);
    EXPECT_EQ(endless.NextRead(1 << 20), 9u) << "one byte past the limit tells it is passed";
    int chunks = 0;
    while (endless.Add("0123456789", endless.NextRead(10))) ++chunks;
    EXPECT_EQ(chunks, 0);
    EXPECT_TRUE(endless.TooLong());
    EXPECT_EQ(endless.Text().size(), 9u) << "no more held than that";
    EXPECT_EQ(endless.NextRead(10), 0u);
    EXPECT_FALSE(endless.Add("x", 1)) << "refused stays refused";
}

TEST(DownloadRules, ADeclaredLengthPastTheLimitIsRefusedBeforeReading) {
    const struct {
        const char* header;
        bool tooLong;
    } cases[] = {
        {"4096", false},     {"4097", true},
        {"0004096", false},  {" 12 ", false},
        {"314572800", true}, {"18446744073709551617", true},  // past any size_t: not wrapped round to a small one
        {"", false},         {"abc", false},
        {"-1", false},
    };
    for (const auto& c : cases) EXPECT_EQ(DeclaresMoreThan(c.header, 4096), c.tooLong) << c.header;
}

TEST(DownloadRules, NoWaitOutlastsTheDeadline) {
    const DownloadLimits limits{4096, 10000, 10000, 30000};
    EXPECT_EQ(NextWaitMs(limits, 0), 10000u);
    EXPECT_EQ(NextWaitMs(limits, 25000), 5000u);
    EXPECT_EQ(NextWaitMs(limits, 30000), 0u);
    EXPECT_EQ(NextWaitMs(limits, 1ull << 40), 0u);

    const DownloadLimits shortened = WithTimeLimit(limits, 2000);
    EXPECT_EQ(shortened.connectTimeoutMs, 2000u);
    EXPECT_EQ(shortened.receiveTimeoutMs, 2000u);
    EXPECT_EQ(shortened.deadlineMs, 2000u);
    EXPECT_EQ(WithTimeLimit(limits, 600000).deadlineMs, 30000u) << "never lengthened";
    EXPECT_EQ(WithTimeLimit(limits, 0).deadlineMs, 30000u);
    EXPECT_EQ(shortened.maxBytes, 4096u);
}

}  // namespace
