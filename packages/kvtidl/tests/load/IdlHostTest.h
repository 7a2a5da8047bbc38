#pragma once
// idehost sessions with KVTIDL100 in a scratch folder of each test's own.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "BankIdl.h"
#include "hostimpl/Shell.h"
#include "rtl/Files.h"
#include "testsupport/TestDir.h"

class IdlHostTest : public testing::Test {
protected:
    explicit IdlHostTest(const char* prefix) : FPrefix(prefix) {}
    void SetUp() override
    {
        dir =
            FreshDir(ScratchDir() + FPrefix + testing::UnitTest::GetInstance()->current_test_info()->name());
    }
    // One idehost session; the commands one a line.
    int Host(const String& commands)
    {
        std::istringstream in(commands);
        std::ostringstream o, e;
        const int rc = hostimpl::RunIdeHost(
            {"--packages", KVTIDL_PACKAGE_DIR, "--dir", dir, "load", "KVTIDL100"}, in, o, e);
        out = o.str();
        err = e.str();
        return rc;
    }
    String dir, out, err;

private:
    const char* FPrefix;
};
