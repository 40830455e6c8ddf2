// GoogleTest's headers, which every test file includes; compiled once.
#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>
