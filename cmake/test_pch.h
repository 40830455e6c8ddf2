// The test framework's headers, which every test file includes; compiled once.
// Qt Test stays out: its macros name each test's own folders.
#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>
