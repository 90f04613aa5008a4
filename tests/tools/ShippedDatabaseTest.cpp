// The database the build puts into the program folder holds exactly what
// data/help says.
#include "Fixtures.h"
#include "HelpSource.h"
#include "ReaderSupport.h"

#include "textcodec/TextCodec.h"

#include <gtest/gtest.h>

using namespace mkmdbtest;

namespace {
std::string Utf8(const std::u16string& s) { return textcodec::EncodeUtf8(s).bytes; }

Dump FromSources(const std::vector<mkmdb::HelpCategory>& categories)
{
    Dump dump;
    TableDump& index = dump["函数索引目录"];
    index.columns = {"id", "索引目录"};
    for (const auto& c : categories) {
        index.rows.push_back({std::to_string(c.id), Utf8(c.name)});
        TableDump& table = dump[Utf8(c.name)];
        table.columns = {"id", "关键字", "备注"};
        for (const auto& e : c.entries) table.rows.push_back({std::to_string(e.id), Utf8(e.keyword), Utf8(e.text)});
    }
    return dump;
}
}  // namespace

TEST(ShippedDatabase, HoldsTheSourcesOfDataHelp)
{
    auto categories = mkmdb::ReadHelpSources(HELP_SOURCES_DIR);
    ASSERT_FALSE(categories.empty());
    Dump want = FromSources(categories);
    EXPECT_EQ(FirstDifference(want, ReadWithMdbTools(HELP_DATABASE)), "") << "read with mdbtools";
    EXPECT_EQ(FirstDifference(want, ReadWithMdbReader(HELP_DATABASE)), "") << "read with mdb-reader";

    // The sample is meant to carry a memo that needs a long-value chain.
    std::size_t longest = 0;
    for (const auto& c : categories) {
        for (const auto& e : c.entries) longest = std::max(longest, e.text.size() * 2);
    }
    EXPECT_GT(longest, 4096u);
}
