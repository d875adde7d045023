#include "platform/error.h"

#include <gtest/gtest.h>

#include <cerrno>

using tessaly::systemErrorMessage;

TEST(SystemErrorMessage, CarriesCodeAndSystemText)
{
    EXPECT_EQ(systemErrorMessage(ENOENT), "System Error.  Code: 2.\r\nNo such file or directory");
}

TEST(SystemErrorMessage, CodeZeroHasItsOwnText)
{
    EXPECT_EQ(systemErrorMessage(0), "A call to an OS function failed");
}

TEST(SystemError, ThrowsError)
{
    EXPECT_THROW(tessaly::throwSystemError(EACCES), tessaly::Error);
}
