#pragma once
// A scratch game folder that is the current directory for one test, on the
// real POSIX layer.

#include "platform/posix/PosixPlatform.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdlib.h>

namespace fs = std::filesystem;

// A scratch game directory that is the current directory for one test.
class PosixPlatformTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char name[] = "/tmp/vornhale-posix-XXXXXX";
        root = ::mkdtemp(name);
        old = fs::current_path();
        fs::current_path(root);
    }
    void TearDown() override
    {
        fs::current_path(old);
        fs::permissions(root, fs::perms::owner_all);
        fs::remove_all(root);
    }
    static std::string slurp(const fs::path& p)
    {
        std::ifstream in(p, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }

    fs::path root, old;
    posix::PosixPlatform platform;
};
