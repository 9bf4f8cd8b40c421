// A check that asks the server for the file only when it changed since the
// download that gave the menu held.
#include "platform/HttpValidators.h"
#include "tests/unit/AppFixture.h"
#include "update/MenuAddress.h"

namespace {

const HttpValidators kHeld = {"\"v1\"", "Mon, 07 Dec 2026 10:00:00 GMT"};
const HttpValidators kServed = {"W/\"v2\"", "Tue, 08 Dec 2026 10:00:00 GMT"};

bool operator==(const HttpValidators& a, const HttpValidators& b) {
    return a.etag == b.etag && a.lastModified == b.lastModified;
}

// What is stored of a download: "MenuETag|MenuLastModified|MenuSource".
std::string StoredEdition(FakeRegistry& registry) {
    std::string stored;
    for (const char* name : {"MenuETag", "MenuLastModified", "MenuSource"}) {
        const auto& bytes = registry.Settings()[name].second;
        stored += std::string(bytes.begin(), bytes.end()).c_str() + std::string("|");
    }
    stored.pop_back();
    return stored;
}

TEST(ConditionalRequestHeaders, NameTheEditionHeldAndNeverSplitAHeader) {
    EXPECT_EQ("If-None-Match: \"v1\"\r\nIf-Modified-Since: Mon, 07 Dec 2026 10:00:00 GMT\r\n",
              ConditionalRequestHeaders(kHeld));
    EXPECT_EQ("If-Modified-Since: x\r\n", ConditionalRequestHeaders({"", "x"}));
    EXPECT_EQ("If-None-Match: W/\"a\"\r\n", ConditionalRequestHeaders({"W/\"a\"", "x\r\nHost: y"}));
    EXPECT_EQ("", ConditionalRequestHeaders({"a\nb", ""}));
}

// The held menu numbered 4; the edition stored with it came from the address
// in use or from another one.
TEST_F(AppTest, TheHeldEditionIsNamedOnlyForItsOwnAddressAndNotModifiedIsTheSameMenu) {
    const std::string address = MenuAddress(), other = "http://other.example/sites.txt";
    const std::string before = "\"v1\"|Mon, 07 Dec 2026 10:00:00 GMT|";
    const std::string kMenu9 = MenuText("9", "News\tnews.example\n");
    const std::tuple<const char*, bool, std::string, FakeHttp::Answer, bool, unsigned, std::string>
        rows[] = {
            {"NotModified", true, address, {"", 304}, true, IDS_NO_NEW_MENU, before + address},
            {"SameNumber",
             true,
             address,
             {MenuText("4", "A\ta\n"), 200, FakeHttp::kNone, "", kServed},
             true,
             IDS_NO_NEW_MENU,
             "W/\"v2\"|Tue, 08 Dec 2026 10:00:00 GMT|" + address},
            {"OtherAddress", true, other, {"", 304}, false, IDS_READ_FAILED, before + other},
            {"NoMenuHeld", false, address, {"", 304}, false, IDS_READ_FAILED, before + address},
            // Stored only once the caller has stored the menu.
            {"NewMenu",
             true,
             address,
             {kMenu9, 200, FakeHttp::kNone, "", kServed},
             true,
             IDS_NEW_MENU_LOADED,
             before + address},
            {"ErrorPage",
             true,
             address,
             {kMenu9, 404, FakeHttp::kNone, "", kServed},
             true,
             IDS_READ_FAILED,
             before + address}};
    for (const auto& [name, held, source, server, asksIfChanged, message, storedAfter] : rows) {
        SCOPED_TRACE(name);
        auto& settings = fake.registry.Settings();
        settings.SetString("MenuETag", kHeld.etag);
        settings.SetString("MenuLastModified", kHeld.lastModified);
        settings.SetString("MenuSource", source);
        fake.http.next = server, fake.http.asked.clear(), fake.messages.shown.clear();
        g_settings.m_timeLastQuery = kStart, fake.clock.now = kStart + 1000;
        CMenuData fresh;
        EXPECT_EQ(message == IDS_NEW_MENU_LOADED, fresh.UpdateFromServer(4, held));
        ASSERT_EQ(1u, fake.http.asked.size());
        EXPECT_EQ(address, fake.http.asked[0].first);
        EXPECT_TRUE((asksIfChanged ? kHeld : HttpValidators{}) == fake.http.asked[0].second);
        ASSERT_EQ(1u, fake.messages.shown.size());
        EXPECT_EQ(message, fake.messages.shown[0].first);
        EXPECT_EQ(message == IDS_READ_FAILED ? kStart : kStart + 1000, g_settings.m_timeLastQuery);
        EXPECT_EQ(storedAfter, StoredEdition(fake.registry));
    }
    // An edition the server named by its date alone is named all the same.
    fake.registry.Settings().erase("MenuETag");
    fake.http.next = {"", 304}, fake.messages.shown.clear();
    EXPECT_FALSE(CMenuData().UpdateFromServer(4, true));
    EXPECT_EQ((Shown{{IDS_NO_NEW_MENU, kInformation}}), fake.messages.shown);
}

TEST_F(AppTest, ANewMenuIsStoredWithTheEditionTheServerNamed) {
    g_pMenuData = new CMenuData;
    fake.http.next = {MenuText("9", "News\tnews.example\n"), 200, FakeHttp::kNone, "", kServed};
    ASSERT_TRUE(theApp.UpdateMenu());
    EXPECT_TRUE(fake.registry.Settings().count("MenuData"));
    EXPECT_EQ("W/\"v2\"|Tue, 08 Dec 2026 10:00:00 GMT|" + MenuAddress(),
              StoredEdition(fake.registry));
}

} // namespace
