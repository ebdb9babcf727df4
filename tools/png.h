// Writes a capture as a PNG file, so a person can look at what a test saw.
#pragma once

#include <string>

#include "tests/support/capture.h"

namespace testing_host {

bool SavePng(const Capture& capture, const std::string& path);

}  // namespace testing_host
