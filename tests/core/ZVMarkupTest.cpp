#include <gtest/gtest.h>

#include <string>

#include <tinyxml2.h>

#include "core/XmlHelper.h"
#include "core/ZVMarkup.h"
#include "platform/base/Encoding.h"
#include "tests/support/TempDir.h"

namespace {

TEST(ZVMarkupTest, MessagesForMalformedInput) {
    struct Case {
        const wchar_t* text;
        const wchar_t* result;
    };
    const Case cases[] = {
        {L"", L"Empty document"},
        {L"<!-- only a comment -->", L"No root element"},
        {L"<a/><b/>", L"Root element has sibling"},
        {L"<a><b></a>", L"End tag 'a' at offset 7 does not match start tag 'b' at offset 3"},
        {L"<a></b></a>", L"No start tag for end tag 'b' at offset 3"},
        {L"<a><b>", L"Element 'b' at offset 3 not ended"},
        {L"<a>< b/></a>", L"Incorrect tag name character at offset 3"},
        {L"<a><!x></a>", L"Incorrect ! tag at offset 3"},
        {L"<a><!-x--></a>", L"Incorrect comment tag at offset 3"},
        {L"<a><![X[ ]]></a>", L"Incorrect tag at offset 3"},
        {L"<a", L"Element tag at offset 0 unterminated"},
        {L"<a></a", L"Element end tag at offset 3 unterminated"},
        {L"<a><!-- x", L"Comment at offset 3 unterminated"},
        {L"<a><![CDATA[ x", L"CDATA Section at offset 3 unterminated"},
        {L"<?xml version", L"Processing instruction at offset 0 unterminated"},
        {L"<!DOCTYPE a [<!ENTITY x 'y'>", L"Doctype at offset 0 unterminated"},
        {L"<a><!ELEMENT a", L"tag at offset 3 unterminated"},
        // Only the first problem is reported.
        {L"<a></x><b>", L"No start tag for end tag 'x' at offset 3"},
    };
    for (const Case& c : cases) {
        CZVMarkup markup;
        EXPECT_FALSE(markup.SetDoc(c.text)) << c.text;
        EXPECT_EQ(markup.GetResult(), c.result) << c.text;
    }
    CZVMarkup markup;
    EXPECT_FALSE(markup.SetDoc(nullptr));
    EXPECT_EQ(markup.GetResult(), L"Empty document");
}

TEST(ZVMarkupTest, WellFormedDocumentsWithEveryKindOfNode) {
    const wchar_t* const cases[] = {
        L"<a/>",
        L"<?xml version=\"1.0\"?>\r\n<!DOCTYPE a [<!ENTITY x \"y\">]>\n<a><![CDATA[<b>]]><!-- <c> --></a>\n",
        L"<a x='>/' y=\"/>\"><b></b ></a>",
        L"<a>text &amp; more<b/>tail</a>",
    };
    for (const wchar_t* text : cases) {
        CZVMarkup markup;
        EXPECT_TRUE(markup.SetDoc(text)) << text;
        EXPECT_EQ(markup.GetResult(), L"") << text;
        EXPECT_TRUE(markup.FindElem(L"a")) << text;
    }
}

TEST(ZVMarkupTest, DamagedDocumentIsStillNavigable) {
    CZVMarkup markup;
    EXPECT_FALSE(markup.SetDoc(L"<a id='1'/><b id='2'/>"));
    EXPECT_TRUE(markup.FindElem(L"a"));
    EXPECT_TRUE(markup.FindElem(L"b"));
    EXPECT_EQ(markup.GetAttrib(L"id"), L"2");

    // "b" is left open inside "a": it ends with its start tag and its children
    // become its siblings inside "a".
    EXPECT_FALSE(markup.SetDoc(L"<a><b><c/><d/></a>"));
    ASSERT_TRUE(markup.FindElem(L"a"));
    ASSERT_TRUE(markup.IntoElem());
    EXPECT_TRUE(markup.FindElem(L"b"));
    EXPECT_FALSE(markup.FindChildElem());
    EXPECT_TRUE(markup.FindElem(L"c"));
    EXPECT_TRUE(markup.FindElem(L"d"));
    EXPECT_FALSE(markup.FindElem());
}

TEST(ZVMarkupTest, Navigation) {
    CZVMarkup markup;
    ASSERT_TRUE(markup.SetDoc(L"<Root><LanguageList n='list'/><Language n='one'><Sub n='s'/></Language>"
                              L"<Language n='two'/></Root>"));
    // Without a current element the first element of the level is taken.
    EXPECT_TRUE(markup.FindChildElem(L"Language"));
    EXPECT_TRUE(markup.IntoElem());
    EXPECT_EQ(markup.GetAttrib(L"n"), L"one");
    EXPECT_TRUE(markup.FindChildElem(L"Sub"));
    EXPECT_TRUE(markup.OutOfElem());
    EXPECT_TRUE(markup.IntoElem());  // back into the root, "one" still current
    EXPECT_EQ(markup.GetAttrib(L"n"), L"one");
    EXPECT_TRUE(markup.FindElem(L"Language"));
    EXPECT_EQ(markup.GetAttrib(L"n"), L"two");
    EXPECT_FALSE(markup.FindElem(L"Language"));
    EXPECT_EQ(markup.GetAttrib(L"n"), L"two");  // a failed find keeps the cursor

    struct Case {
        const wchar_t* wanted;
        const wchar_t* found;  // null: no match
    };
    const Case cases[] = {
        {L"Language", L"one"},  {L"Language[1]", L"one"}, {L"LanguageList", L"list"},
        {L"Lang", nullptr},     {L"language", nullptr},   {nullptr, L"list"},
        {L"", L"list"},
    };
    for (const Case& c : cases) {
        markup.SetDoc(L"<Root><LanguageList n='list'/><Language n='one'/></Root>");
        ASSERT_TRUE(markup.FindElem());
        ASSERT_TRUE(markup.IntoElem());
        EXPECT_EQ(markup.FindElem(c.wanted), c.found != nullptr) << (c.wanted ? c.wanted : L"(null)");
        if (c.found != nullptr) {
            EXPECT_EQ(markup.GetAttrib(L"n"), c.found) << c.wanted;
        }
    }

    markup.SetDocFlags(CZVMarkup::kIgnoreCase);
    markup.SetDoc(L"<Root><Item NAME='x'/></Root>");
    EXPECT_TRUE(markup.FindChildElem(L"ITEM"));
    EXPECT_TRUE(markup.IntoElem());
    EXPECT_EQ(markup.GetAttrib(L"name"), L"x");
    EXPECT_FALSE(markup.OutOfElem() && markup.OutOfElem());
}

TEST(ZVMarkupTest, AttributeValuesAreDecoded) {
    struct Case {
        const wchar_t* tag;
        const wchar_t* value;
    };
    const Case cases[] = {
        {L"<a v=\"&#65;\"/>", L"A"},
        {L"<a v=\"&#x4e2d;&#X41;\"/>", L"中&#X41;"},
        {L"<a v=\"&lt;&amp;&gt;&apos;&quot;\"/>", L"<&>'\""},
        {L"<a v=\"&#0;\"/>", L"&#0;"},
        {L"<a v=\"&unknown; &amp\"/>", L"&unknown; &amp"},
        {L"<a v=\"&#1234567;\"/>", L"&#1234567;"},
        {L"<a v=\"&#12a;\"/>", L"&#12a;"},
        {L"<a v='single \"q\"'/>", L"single \"q\""},
        {L"<a v=bare w='2'/>", L"bare"},
        {L"<a  v = \"spaced\" />", L"spaced"},
        {L"<a w=\"v\"/>", L""},
        {L"<a vv=\"x\" v=\"y\"/>", L"y"},
    };
    for (const Case& c : cases) {
        CZVMarkup markup;
        ASSERT_TRUE(markup.SetDoc(c.tag)) << c.tag;
        ASSERT_TRUE(markup.FindElem());
        EXPECT_EQ(markup.GetAttrib(L"v"), c.value) << c.tag;
    }
    CZVMarkup none;
    EXPECT_EQ(none.GetAttrib(L"v"), L"");
}

TEST(ZVMarkupTest, SetAttribEditsOnlyThoseCharacters) {
    const std::wstring before =
        L"<Languages selectedId=\"3\" x='1'>\n <Language Id=\"0\"/>\n <Language Id=\"1\">t</Language>\n</Languages>";
    CZVMarkup markup;
    ASSERT_TRUE(markup.SetDoc(before));
    ASSERT_TRUE(markup.FindElem(L"Languages"));
    EXPECT_TRUE(markup.SetAttrib(L"selectedId", 12));
    std::wstring expected = before;
    expected.replace(expected.find(L"\"3\""), 3, L"\"12\"");
    EXPECT_EQ(markup.GetDoc(), expected);

    // Later elements moved by one: editing them lands in the right place.
    ASSERT_TRUE(markup.FindChildElem(L"Language"));
    ASSERT_TRUE(markup.FindChildElem(L"Language"));
    ASSERT_TRUE(markup.IntoElem());
    EXPECT_TRUE(markup.SetAttrib(L"name", L"a<b&\"c'"));
    expected.replace(expected.find(L"Id=\"1\"") + 6, 0, L" name=\"a&lt;b&amp;&quot;c&apos;\"");
    EXPECT_EQ(markup.GetDoc(), expected);
    EXPECT_EQ(markup.GetAttrib(L"name"), L"a<b&\"c'");

    // A single-quoted value is replaced with its quotes.
    ASSERT_TRUE(markup.OutOfElem());
    EXPECT_TRUE(markup.SetAttrib(L"x", L"2"));
    expected.replace(expected.find(L"x='1'"), 5, L"x=\"2\"");
    EXPECT_EQ(markup.GetDoc(), expected);

    // An unquoted value gets quotes; an empty element keeps its "/>".
    CZVMarkup small;
    ASSERT_TRUE(small.SetDoc(L"<r><e v=bare /><f/></r>"));
    ASSERT_TRUE(small.FindElem());
    ASSERT_TRUE(small.IntoElem());
    ASSERT_TRUE(small.FindElem(L"e"));
    EXPECT_TRUE(small.SetAttrib(L"v", L"q"));
    ASSERT_TRUE(small.FindElem(L"f"));
    EXPECT_TRUE(small.SetAttrib(L"n", -5));
    EXPECT_EQ(small.GetDoc(), L"<r><e v=\"q\" /><f n=\"-5\"/></r>");
    // The enclosing element followed the edits.
    EXPECT_TRUE(small.OutOfElem());
    EXPECT_TRUE(small.SetAttrib(L"z", L""));
    EXPECT_EQ(small.GetDoc(), L"<r z=\"\"><e v=\"q\" /><f n=\"-5\"/></r>");
    EXPECT_TRUE(small.IntoElem());
    EXPECT_EQ(small.GetAttrib(L"n"), L"-5");

    CZVMarkup empty;
    EXPECT_FALSE(empty.SetAttrib(L"v", L"x"));
}

TEST(ZVMarkupTest, LoadAndSaveRoundTripUtf8) {
    testsupport::TempDir dir;
    // BOM, Chinese, a character outside the BMP (a surrogate pair) and CRLF.
    const std::string bytes = "\xEF\xBB\xBF<r v=\"\xE4\xB8\xAD\xF0\x9F\x98\x80\">\r\n</r>";
    const auto file = dir.Write("in.xml", bytes);
    CZVMarkup markup;
    ASSERT_TRUE(markup.Load(file));
    EXPECT_EQ(markup.GetResult(), std::to_wstring(bytes.size()) + L" bytes to 18 wide chars");
    ASSERT_TRUE(markup.FindElem(L"r"));
    EXPECT_EQ(markup.GetAttrib(L"v"), L"中\U0001F600");
    EXPECT_EQ(markup.GetAttrib(L"v").size(), 2u);

    const auto out = dir / "out.xml";
    ASSERT_TRUE(markup.Save(out));
    EXPECT_EQ(testsupport::ReadAll(out), bytes);
    EXPECT_EQ(markup.GetResult(), L"18 wide chars to " + std::to_wstring(bytes.size()) + L" bytes");

    // A character added through the wide interface is written as a 4-byte sequence.
    EXPECT_TRUE(markup.SetAttrib(L"v", L"\U0001F600"));
    ASSERT_TRUE(markup.Save(out));
    EXPECT_NE(testsupport::ReadAll(out).find("v=\"\xF0\x9F\x98\x80\""), std::string::npos);
}

TEST(ZVMarkupTest, MalformedUtf8BecomesQuestionMarks) {
    struct Case {
        std::string bytes;
        const wchar_t* value;
    };
    const Case cases[] = {
        {std::string("<r v='\xE4" "A'/>"), L"?A"},               // trail byte without its top bit
        {std::string("<r v='\x80\xFF'/>"), L"??"},                // stray trail byte, invalid lead
        {std::string("<r v='a'/>") + '\0' + "<x/>", L"a"},           // a zero byte ends the text
    };
    testsupport::TempDir dir;
    for (const Case& c : cases) {
        CZVMarkup markup;
        ASSERT_TRUE(markup.Load(dir.Write("m.xml", c.bytes))) << c.bytes;
        ASSERT_TRUE(markup.FindElem());
        EXPECT_EQ(markup.GetAttrib(L"v"), c.value) << c.bytes;
    }
    CZVMarkup cut;
    EXPECT_TRUE(cut.Load(dir.Write("cut.xml", "<r/>\xE4\xB8")));
    EXPECT_EQ(cut.GetDoc(), L"<r/>?");
    EXPECT_EQ(cut.GetResult(), L"6 bytes to 5 wide chars");
}

TEST(ZVMarkupTest, FileErrorsGiveTheSystemMessage) {
    testsupport::TempDir dir;
    CZVMarkup markup;
    EXPECT_FALSE(markup.Load(dir / "missing.xml"));
    EXPECT_EQ(markup.GetResult(), L"No such file or directory");
    EXPECT_FALSE(markup.FindElem());

    ASSERT_TRUE(markup.SetDoc(L"<a/>"));
    EXPECT_FALSE(markup.Save(dir / "no-such-folder" / "out.xml"));
    EXPECT_FALSE(markup.GetResult().empty());

    const auto empty = dir.Write("empty.xml", "");
    EXPECT_FALSE(markup.Load(empty));
    EXPECT_EQ(markup.GetResult(), L"0 bytes to 0 wide chars, Empty document");
}

}  // namespace

namespace {

TEST(XmlHelperTest, BuildSaveAndLoadBack) {
    testsupport::TempDir dir;
    tinyxml2::XMLDocument document;
    CXmlHelper::AddDeclaration(document, "1.0", "UTF-8", "");
    tinyxml2::XMLElement* root = CXmlHelper::AddRootElement(document, "Ondrava");
    tinyxml2::XMLElement* first = CXmlHelper::AddChildElement(root, "Item");
    CXmlHelper::AddChildElement(root, "Item");
    CXmlHelper::SetAttribute(first, "name", "电压 & <V>");
    CXmlHelper::SetAttribute(nullptr, "name", "ignored");
    EXPECT_EQ(CXmlHelper::AddChildElement(nullptr, "Item"), nullptr);

    const std::string file = platform::PathToUtf8(dir / "报告.rcg");
    ASSERT_TRUE(CXmlHelper::SaveFile(document, file));
    const std::string text = testsupport::ReadAll(platform::ToPath(std::string_view(file)));
    EXPECT_EQ(text.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>", 0), 0u) << text;

    tinyxml2::XMLDocument loaded;
    ASSERT_TRUE(CXmlHelper::LoadFile(loaded, file));
    const tinyxml2::XMLElement* item = loaded.FirstChildElement("Ondrava")->FirstChildElement("Item");
    ASSERT_NE(item, nullptr);
    EXPECT_STREQ(item->Attribute("name"), "电压 & <V>");
    EXPECT_NE(item->NextSiblingElement("Item"), nullptr);

    EXPECT_FALSE(CXmlHelper::LoadFile(loaded, platform::PathToUtf8(dir / "missing.rcg")));
    EXPECT_FALSE(CXmlHelper::LoadFile(loaded, platform::PathToUtf8(dir.Write("bad.rcg", "<a><b></a>"))));
    EXPECT_FALSE(CXmlHelper::SaveFile(document, platform::PathToUtf8(dir / "no-folder" / "x.rcg")));
}

// An '&' that starts no reference is read as itself: tinyxml2 alone would read a
// stale byte in its place once a reference came before it ("&lt;ab&c" gave "<ab;c").
TEST(XmlHelperTest, AnAmpersandThatStartsNoReferenceReadsAsItself) {
    struct Case {
        const char* text;
        const char* attribute;  // b's value, or the root's text when null
        const char* expected;
    };
    const Case cases[] = {
        {"<a b=\"&lt;ab&c\"/>", "b", "<ab&c"},
        {"<a b='&lt;&amp'/>", "b", "<&amp"},
        {"<a>&lt;x &c</a>", nullptr, "<x &c"},
        {"<a b=\"&lt;&gt;&amp;&quot;&apos;&#65;&#x42;\"/>", "b", "<>&\"'AB"},
        {"<a b=\"'&lt;&'\" c='\"'/>", "b", "'<&'"},
        {"<!-- &lt;& --><a><![CDATA[&lt;&]]></a>", nullptr, "&lt;&"},
        {"<?xml version=\"1.0\"?><!DOCTYPE a><a b=\"&gt;&\"/>", "b", ">&"},
    };
    for (const Case& c : cases) {
        tinyxml2::XMLDocument document;
        ASSERT_TRUE(CXmlHelper::Parse(document, c.text)) << c.text;
        const tinyxml2::XMLElement* root = document.RootElement();
        EXPECT_STREQ(c.attribute ? root->Attribute(c.attribute) : root->GetText(), c.expected) << c.text;
    }
    tinyxml2::XMLDocument document;
    EXPECT_FALSE(CXmlHelper::Parse(document, "<a><b></a>"));
}

}  // namespace
