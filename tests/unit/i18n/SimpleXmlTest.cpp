#include <gtest/gtest.h>

#include <map>
#include <string>

#include "i18n/SimpleXml.h"
#include "platform/FileSystem.h"

using namespace velora::i18n;

namespace {

using Kind = TSimpleXMLElemKind;

// The message of the error the input raises, or "no error".
std::string ErrorOf(std::string_view xml) {
    TSimpleXML doc;
    try {
        doc.LoadFromString(xml);
    } catch (const ESimpleXMLError& e) {
        return e.what();
    }
    return "no error";
}

// Loads a document that must be well-formed for the reader.
void Load(TSimpleXML& doc, std::string_view xml) {
    ASSERT_NO_THROW(doc.LoadFromString(xml)) << xml;
}

class FakeFileSystem : public velora::platform::FileSystem {
public:
    std::map<std::string, std::string> files;

    bool FileExists(const std::string& path) const override { return files.count(path) != 0; }
    bool IsReadOnly(const std::string&) const override { return false; }
    std::optional<std::string> ReadFile(const std::string& path) const override {
        auto it = files.find(path);
        if (it == files.end()) return std::nullopt;
        return it->second;
    }
    void ReplaceContents(const std::string&, const std::string&) override {}
    void RemoveFile(const std::string&) override {}
    void RenameFile(const std::string&, const std::string&) override {}
    void CreateFolders(const std::string&) override {}
};

}  // namespace

TEST(SimpleXmlElements, ValueComesOnlyFromASingleTextChild) {
    TSimpleXML doc;
    Load(doc, "<r><empty/><pair></pair><blank>   </blank><word> word </word>"
              "<mixed> a <b/> c </mixed><cdata><![CDATA[<x>]]></cdata>\n  <n>42</n></r>");
    const auto& root = doc.Root();
    EXPECT_EQ(root.Name(), "r");
    ASSERT_EQ(root.ItemCount(), 7);  // whitespace between elements makes no text node

    for (int i : {0, 1}) {
        EXPECT_EQ(root.Item(i).ItemCount(), 0);
        EXPECT_EQ(root.Item(i).Value(), "");
    }
    EXPECT_EQ(root.Item(2).Value(), "   ");
    EXPECT_EQ(root.Item(2).ItemCount(), 0);
    EXPECT_EQ(root.Item(3).Value(), " word ");

    const auto& mixed = root.Item(4);
    ASSERT_EQ(mixed.ItemCount(), 3);
    EXPECT_TRUE(mixed.Item(0).Is(Kind::Text));
    EXPECT_EQ(mixed.Item(0).Value(), " a ");
    EXPECT_TRUE(mixed.Item(1).Is(Kind::Classic));
    EXPECT_EQ(mixed.Item(1).Name(), "b");
    EXPECT_EQ(mixed.Item(2).Value(), " c ");
    EXPECT_EQ(mixed.Value(), "");

    const auto& cdata = root.Item(5);
    ASSERT_EQ(cdata.ItemCount(), 1);
    EXPECT_TRUE(cdata.Item(0).Is(Kind::CData));
    EXPECT_EQ(cdata.Item(0).Value(), "<x>");
    EXPECT_EQ(cdata.Value(), "");

    EXPECT_EQ(root.Item(6).IntValue(), 42);
    EXPECT_EQ(root.Item(3).IntValue(), -1);
}

TEST(SimpleXmlElements, NamesPrefixesAttributesAndLookup) {
    TSimpleXML doc;
    Load(doc, "<ns:r x=\"1\" xml:lang='d\"e' X = '2' n='abc'><a>1</a><A>2</A><b/></NS:R>");
    auto& root = doc.Root();
    EXPECT_EQ(root.Name(), "r");
    EXPECT_EQ(root.Prefix(), "ns");

    ASSERT_EQ(root.PropertyCount(), 4);
    EXPECT_EQ(root.Property(1).Prefix(), "xml");
    EXPECT_EQ(root.Property(1).Name(), "lang");
    EXPECT_EQ(root.Property(1).Value(), "d\"e");
    EXPECT_EQ(root.PropertyValue("x", "none"), "2");  // the last of that name, any case
    EXPECT_EQ(root.PropertyValue("missing", "none"), "none");
    EXPECT_EQ(root.PropertyIntValue("X", 7), 2);
    EXPECT_EQ(root.PropertyIntValue("missing", 7), 7);
    EXPECT_EQ(root.PropertyIntValue("n", 7), -1);

    ASSERT_NE(root.Items().ItemNamed("a"), nullptr);
    EXPECT_EQ(root.Items().ItemNamed("a")->Value(), "2");
    EXPECT_EQ(root.Items().ItemNamed("c"), nullptr);
    doc.Options().Include(sxoAutoCreate);
    ASSERT_NE(root.Items().ItemNamed("c"), nullptr);
    EXPECT_EQ(root.ItemCount(), 4);
}

TEST(SimpleXmlElements, EndTagsMatchIgnoringCase) {
    TSimpleXML doc;
    Load(doc, "<Lang><FormMain></formmain></LANG>");
    EXPECT_EQ(doc.Root().Item(0).Name(), "FormMain");

    EXPECT_EQ(ErrorOf("<r><a></b></r>"),
              "Invalid XML Element: Erroneous end of tag, expecting </a> but </b> found");
    EXPECT_EQ(ErrorOf("<r><a>"), "Invalid XML Element: Erroneous end of tag, expecting </a> but </> found");
    EXPECT_EQ(ErrorOf("<r>text"), "Invalid XML Element: Erroneous end of tag, expecting </r> but </> found");
    EXPECT_EQ(ErrorOf("<r></r"), "Invalid XML Element: Erroneous end of tag, expecting </r> but </> found");
    // The expected name is given without its prefix; a blank inside the end tag counts.
    EXPECT_EQ(ErrorOf("<p:r></r>"), "Invalid XML Element: Erroneous end of tag, expecting </r> but </r> found");
    EXPECT_EQ(ErrorOf("<r></r >"), "Invalid XML Element: Erroneous end of tag, expecting </r> but </r > found");
    // A processing instruction inside content is read as an element.
    EXPECT_EQ(ErrorOf("<r><?pi x?></r>"),
              "Invalid XML Element: Unexpected character in property declaration (\"?\" found)");
}

TEST(SimpleXmlErrors, MalformedTagsAndAttributesNameTheByte) {
    EXPECT_EQ(ErrorOf("<r>< a/></r>"), "Invalid XML Element: malformed tag found (no valid name)");
    EXPECT_EQ(ErrorOf("< r/>"), "Invalid XML Element: malformed tag found (no valid name)");
    EXPECT_EQ(ErrorOf("<r/x>"), "Invalid XML Element: Expected end of tag but \"x\" found");
    EXPECT_EQ(ErrorOf("<r a></r>"),
              "Invalid XML Element: Unexpected character in property declaration (\">\" found)");
    EXPECT_EQ(ErrorOf("<r a b=\"1\"/>"),
              "Invalid XML Element: Unexpected character in property declaration (\"b\" found)");
    EXPECT_EQ(ErrorOf("<r a.b=\"1\"/>"),
              "Invalid XML Element: Unexpected character in property declaration (\".\" found)");
    EXPECT_EQ(ErrorOf("<r a= 1/>"),
              "Invalid XML Element: Unexpected character in property declaration. Expecting \" or ' but \"1\"  found");

    // The offset points at the offending byte.
    try {
        TSimpleXML doc;
        doc.LoadFromString("<r a=1/>");
        ADD_FAILURE() << "no error";
    } catch (const ESimpleXMLError& e) {
        EXPECT_EQ(e.offset(), 5u);
    }

    // Input ending inside a start tag ends the element quietly; a cut-off attribute is dropped.
    TSimpleXML doc;
    Load(doc, "<r a='1' b='2");
    EXPECT_EQ(doc.Root().Name(), "r");
    ASSERT_EQ(doc.Root().PropertyCount(), 1);
    EXPECT_EQ(doc.Root().Property(0).Name(), "a");
}

TEST(SimpleXmlValues, EntitiesAndReferencesDecodeOnce) {
    TSimpleXML doc;
    Load(doc, "<r a=\"&AMP;&Lt;&gT;&apos;&QUOT;\" b='&amp;lt;'>"
              "<t>&#65;&#x41;&#X41;|&#0;|&#-5;|&#65|&nbsp;|&#321;|&#x;</t>"
              "<once>&amp;lt;</once><end>x &#65</end><cd><![CDATA[&amp;]]></cd><!--&amp;--></r>");
    const auto& root = doc.Root();
    EXPECT_EQ(root.PropertyValue("a"), "&<>'\"");
    EXPECT_EQ(root.PropertyValue("b"), "&lt;");
    EXPECT_EQ(root.Item(0).Value(), "AAA|&#0;|&#-5;|&#65|&nbsp;|A|&#x;");
    EXPECT_EQ(root.Item(1).Value(), "&lt;");
    EXPECT_EQ(root.Item(2).Value(), "x &#65");
    EXPECT_EQ(root.Item(3).Item(0).Value(), "&amp;");  // CDATA is not decoded
    EXPECT_EQ(root.Item(4).Value(), "&amp;");          // nor is a comment

    TSimpleXML raw;
    raw.Options().Exclude(sxoAutoEncodeValue);
    Load(raw, "<r a='&lt;'>&amp;</r>");
    EXPECT_EQ(raw.Root().PropertyValue("a"), "&lt;");
    EXPECT_EQ(raw.Root().Value(), "&amp;");
}

TEST(SimpleXmlProlog, DeclarationBomDocTypeAndStylesheet) {
    TSimpleXML doc;
    Load(doc, "\xEF\xBB\xBF<?xml version=\"1.0\"?><!-- hi -->"
              "<?xml-stylesheet type=\"text/xsl\" href=\"a.xsl\"?>\r\n"
              "<!DOCTYPE lang [ <!ENTITY a \"x>y\"> ]>\n<lang>\xEF\xBB\xBF</lang>");
    const auto& prolog = doc.Prolog();
    ASSERT_EQ(prolog.Count(), 4);
    ASSERT_TRUE(prolog.Item(0).Is(Kind::Header));
    const auto& header = static_cast<const TSimpleXMLElemHeader&>(prolog.Item(0));
    EXPECT_EQ(header.Version(), "1.0");
    EXPECT_EQ(header.Encoding(), "");
    EXPECT_FALSE(header.Standalone());
    EXPECT_EQ(header.PropertyCount(), 0);
    EXPECT_TRUE(prolog.Item(1).Is(Kind::Comment));
    EXPECT_EQ(prolog.Item(1).Value(), " hi ");
    EXPECT_TRUE(prolog.Item(2).Is(Kind::Sheet));
    EXPECT_EQ(prolog.Item(2).PropertyValue("href"), "a.xsl");
    EXPECT_TRUE(prolog.Item(3).Is(Kind::DocType));
    EXPECT_EQ(prolog.Item(3).Value(), "lang [ <!ENTITY a \"x>y\"> ]");
    EXPECT_EQ(doc.Root().Name(), "lang");
    EXPECT_EQ(doc.Root().Value(), "\xEF\xBB\xBF");  // inside the content the bytes stay

    Load(doc, "<?xml version='1.1' encoding=\"windows-1252\" standalone=\"yes\"?><r/>");
    const auto& yes = static_cast<const TSimpleXMLElemHeader&>(doc.Prolog().Item(0));
    EXPECT_EQ(yes.Version(), "1.1");
    EXPECT_EQ(yes.Encoding(), "windows-1252");
    EXPECT_TRUE(yes.Standalone());
    Load(doc, "<?xml version='1.0' standalone='YES'?><r/>");
    EXPECT_FALSE(static_cast<const TSimpleXMLElemHeader&>(doc.Prolog().Item(0)).Standalone());

    EXPECT_EQ(ErrorOf("x<r/>"), "Invalid Document: Unexpected text in file prolog");
    EXPECT_EQ(ErrorOf("<?xml version='1.0'?>\nabc<r/>"), "Invalid Document: Unexpected text in file prolog");
    EXPECT_EQ(ErrorOf("<?xml version='1.0'><r/>"), "Invalid Header: expected \"?\" but found \">\"");
    EXPECT_EQ(ErrorOf("<?xml version='1.0'"), "Invalid Comment: Unexpected end of data");
    EXPECT_EQ(ErrorOf("<!DOCTYPE r [ > <r/>"), "Invalid Comment: Unexpected end of data");
    EXPECT_EQ(ErrorOf("<?xml-stylesheet href='a'/><r/>"), "Invalid Stylesheet: expected \"?\" but found \"/\"");
    EXPECT_EQ(ErrorOf("<?xml-stylesheet href='a'"), "Invalid Stylesheet: Unexpected end of data");
}

TEST(SimpleXmlProlog, UnknownInstructionSwallowsTheDocument) {
    for (const char* xml : {"<?php echo 1; ?><r a='1'><b/></r>", "<?xml\nversion='1.0'?><r a='1'><b/></r>"}) {
        TSimpleXML doc;
        Load(doc, xml);
        EXPECT_EQ(doc.Root().Name(), "") << xml;
        EXPECT_EQ(doc.Root().ItemCount(), 0) << xml;
        EXPECT_EQ(doc.Root().PropertyCount(), 0) << xml;
        EXPECT_EQ(doc.Prolog().Count(), 0) << xml;
    }
}

TEST(SimpleXmlSections, CDataAndCommentTerminators) {
    TSimpleXML doc;
    Load(doc, "<r><![CDATA[a]b] ]]><![CDATA[x]]]>]]><!-- a - b --><!-- a--b> c --></r>");
    const auto& root = doc.Root();
    ASSERT_EQ(root.ItemCount(), 4);
    EXPECT_EQ(root.Item(0).Value(), "a]b] ");
    EXPECT_EQ(root.Item(1).Value(), "x]]]>");  // "]]]>" does not close the section
    EXPECT_TRUE(root.Item(2).Is(Kind::Comment));
    EXPECT_EQ(root.Item(2).Value(), " a - b ");
    EXPECT_EQ(root.Item(3).Value(), " a--b> c ");

    EXPECT_EQ(ErrorOf("<r><![CDATA[x]]]></r>"), "Invalid CDATA: Unexpected end of data");
    EXPECT_EQ(ErrorOf("<r><![CDATA\t[x]]></r>"), "Invalid CDATA: expected \"[\" but found \"\t\"");
    EXPECT_EQ(ErrorOf("<r><!-- a--b --></r>"), "Invalid Comment: \"--\" not allowed inside comments");
    EXPECT_EQ(ErrorOf("<r><!-- a ---></r>"), "Invalid Comment: Unexpected end of data");
    EXPECT_EQ(ErrorOf("<!-- open"), "Invalid Comment: Unexpected end of data");
}

TEST(SimpleXmlErrors, CompletedNodesSurviveTheFault) {
    TSimpleXML doc;
    EXPECT_THROW(doc.LoadFromString("<?xml version=\"1.0\"?><!-- c --><lang id=\"7\">text"
                                    "<formMain Caption=\"A\"><x/></formMain>"
                                    "<formOptions><ok/><bad a=1/><y/></formOptions><z/></lang>"),
                 ESimpleXMLError);
    EXPECT_EQ(doc.Prolog().Count(), 2);
    const auto& root = doc.Root();
    EXPECT_EQ(root.Name(), "");  // the root takes its name only when complete
    EXPECT_EQ(root.PropertyIntValue("id", 0), 7);
    ASSERT_EQ(root.ItemCount(), 2);  // formOptions is gone with all it held
    EXPECT_EQ(root.Item(0).Value(), "text");
    EXPECT_EQ(root.Item(1).Name(), "formMain");
    EXPECT_EQ(root.Item(1).PropertyValue("Caption"), "A");
    EXPECT_EQ(root.Item(1).ItemCount(), 1);

    // The next load starts afresh.
    Load(doc, "<r/>");
    EXPECT_EQ(doc.Prolog().Count(), 0);
    EXPECT_EQ(doc.Root().ItemCount(), 0);
    EXPECT_EQ(doc.Root().PropertyCount(), 0);
    EXPECT_EQ(doc.Root().Name(), "r");
}

TEST(SimpleXmlErrors, DeepNestingNeitherOverflowsNorLeaks) {
    constexpr int kDepth = 200000;
    std::string xml;
    for (int i = 0; i < kDepth; ++i) xml += "<a>";
    TSimpleXML doc;
    EXPECT_EQ(ErrorOf(xml), "Invalid XML Element: Erroneous end of tag, expecting </a> but </> found");
    for (int i = 0; i < kDepth; ++i) xml += "</a>";
    Load(doc, xml);
    const TSimpleXMLElem* node = &doc.Root();
    int depth = 0;
    while (node->ItemCount() == 1) {
        node = &node->Item(0);
        ++depth;
    }
    EXPECT_EQ(depth, kDepth - 1);
}

TEST(SimpleXmlFile, LoadsThroughTheFileSystemAndKeepsContentWhenMissing) {
    FakeFileSystem files;
    files.files["C:\\lang\\de.lang"] = "<lang><messages/></lang>";
    TSimpleXML doc(files);
    doc.SetFileName("C:\\lang\\de.lang");
    EXPECT_EQ(doc.FileName(), "C:\\lang\\de.lang");
    EXPECT_EQ(doc.Root().Name(), "lang");

    try {
        doc.LoadFromFile("C:\\lang\\xx.lang");
        ADD_FAILURE() << "no error";
    } catch (const EFOpenError& e) {
        EXPECT_STREQ(e.what(), "Cannot open file \"C:\\lang\\xx.lang\". The system cannot find the file specified.");
    }
    EXPECT_EQ(doc.Root().Name(), "lang");
    EXPECT_EQ(doc.Root().ItemCount(), 1);
}
