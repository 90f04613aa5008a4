#include "common/Gbk.h"

#include <gtest/gtest.h>

TEST(GbkQt, RoundTripsChineseText)
{
    QString text = QStringLiteral("代码编辑框的内容\r\n");
    GbkEncoding encoded = EncodeGbk(text);
    ASSERT_TRUE(encoded.ok());
    EXPECT_EQ(encoded.bytes.size(), 18);
    EXPECT_EQ(DecodeGbk(encoded.bytes), text);
}

TEST(GbkQt, FailureNamesTheQStringIndex)
{
    // The emoji is a surrogate pair at index 2; GBK cannot hold it.
    GbkEncoding encoded = EncodeGbk(QStringLiteral("中文\U0001F600尾"));
    EXPECT_FALSE(encoded.ok());
    EXPECT_EQ(encoded.failedAt, 2);
    EXPECT_FALSE(DecodeGbk(QByteArray("\xD6")));
}
