#pragma once
// Wire tags of the blocking PObject codec, shared by the codec and by the
// scanner that finds where one of its messages ends.

#include <cstdint>

namespace stream_tags {

const uint8_t TAG_NULL = 0x00;
const uint8_t TAG_INTEGER = 0x01;
const uint8_t TAG_STRING = 0x10;
const uint8_t TAG_BUFFER = 0x20;
const uint8_t TAG_BINARY = 0x30;
const uint8_t TAG_END = 0x40;
const uint8_t TAG_ARRAY = 0x41;
const uint8_t TAG_MAP = 0x42;
const uint8_t TAG_BINARY_EX = 0x43;

}  // namespace stream_tags
