#pragma once
// The checksums expressions compute over bytes of the file, fed a piece at a time.
#include <cstddef>
#include <cstdint>

#include "expressions/expression.h"

class RunningChecksum {
  public:
    // Crc32 (the zlib and PNG one), Adler32, or ByteSum (the bytes added as unsigned numbers).
    explicit RunningChecksum(expression::Op kind);
    void add(const unsigned char* bytes, size_t count);
    int64_t value() const;

  private:
    expression::Op kind_;
    uint64_t state_;
};
