// Raw deflate data (RFC 1951) inflated into memory, for the entries of a zip
// archive. A stranger's bytes: every code, length and distance is checked, the
// work is bounded by the input and the output, and the output never grows past
// the size the archive declares.
#pragma once
#include <cstddef>
#include <vector>

enum class InflateStatus {
    Ok,
    Damaged,    // a code, a length or a distance that deflate data never holds, or the input ends early
    WrongSize,  // the data gives more or fewer bytes than |size|
};

// Inflates the |packedSize| bytes at |packed| into |out|, which must come to
// exactly |size| bytes. On any other status |out| is empty.
InflateStatus Inflate(const unsigned char* packed, size_t packedSize, size_t size, std::vector<char>& out);
