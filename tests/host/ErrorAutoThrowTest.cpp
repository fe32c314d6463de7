#include "ErrorAutoThrow.h"

#include <gtest/gtest.h>

TEST(ErrorAutoThrow, CarriesTheCodeAndThrowsOnlyOnError)
{
    CErrorAutoThrow ok;
    EXPECT_FALSE(ok.IsError());
    EXPECT_NO_THROW(ok.ThrowIfError());

    CErrorAutoThrow err = MIRN_ERR_INVALID_ARG;
    EXPECT_TRUE(err.IsError());
    EXPECT_EQ(err, 101);
    try
    {
        err.ThrowIfError();
        FAIL() << "an error must throw";
    }
    catch (const CMException& e)
    {
        EXPECT_EQ(e.GetError(), MIRN_ERR_INVALID_ARG);
        EXPECT_STREQ(e.what(), "error 101: Missing, invalid or incomplete argument or data");
    }
    err.Clear();
    EXPECT_TRUE(err.IsOk());
}

TEST(ErrorAutoThrow, HostCodesKeepTheirValues)
{
    EXPECT_EQ(CErrorAutoThrow(102).GetError(), MIRN_ERR_STD_EXCEPTION);
    EXPECT_EQ(static_cast<int>(MIRN_ERR_NOT_FOUND), 110);
    EXPECT_EQ(static_cast<int>(MIRN_ERR_NOT_IMPLEMENTED), 203);
    EXPECT_EQ(static_cast<int>(MIRN_ERR_NO_INTERFACE), 211);
    EXPECT_EQ(static_cast<int>(MIRN_ERR_HOST_FAILURE), 340);
}
