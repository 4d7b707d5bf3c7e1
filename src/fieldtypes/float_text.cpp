#include "fieldtypes/float_text.h"

#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "fieldtypes/byte_order.h"

namespace {

constexpr int kExtendedBias = 16383;
constexpr uint64_t kIntegerBit = uint64_t{1} << 63;

// The binary formats go through an unsigned number of their width, so the host's byte order does
// not matter. Every NaN entered is the same quiet one, whatever the C library made of "nan".
template <typename T, typename Bits>
struct Binary {
    using Type = T;
    static T value(const unsigned char* bytes) {
        const Bits bits = static_cast<Bits>(byteorder::fromBytes(bytes, sizeof(Bits), false));
        T number;
        std::memcpy(&number, &bits, sizeof number);
        return number;
    }
    static void encode(T number, unsigned char* bytes) {
        if (std::isnan(number)) number = std::numeric_limits<T>::quiet_NaN();
        Bits bits;
        std::memcpy(&bits, &number, sizeof bits);
        byteorder::toBytes(bits, bytes, sizeof(Bits), false);
    }
};

// Decoded by its fields rather than by the host's long double layout, which need not be this one.
struct Extended {
    using Type = long double;
    static long double value(const unsigned char* bytes) {
        const uint64_t significand = byteorder::fromBytes(bytes, 8, false);
        const int top = bytes[8] | bytes[9] << 8;
        const int exponent = top & 0x7FFF;
        long double magnitude;
        if (exponent == 0x7FFF) {
            // The integer bit alone is infinity; any other pattern, pseudo-infinity too, is no number.
            magnitude = significand == kIntegerBit ? std::numeric_limits<long double>::infinity()
                                                   : std::numeric_limits<long double>::quiet_NaN();
        } else {
            // Exponent 0 scales as 1 does: denormals, and pseudo-denormals with the integer bit set.
            magnitude = std::ldexp(static_cast<long double>(significand),
                                   (exponent ? exponent : 1) - kExtendedBias - 63);
        }
        return top & 0x8000 ? -magnitude : magnitude;
    }
    static void encode(long double number, unsigned char* bytes) {
        uint64_t significand = 0;
        int top = std::signbit(number) && !std::isnan(number) ? 0x8000 : 0;
        if (std::isnan(number)) {
            significand = kIntegerBit | kIntegerBit >> 1;
            top |= 0x7FFF;
        } else if (std::isinf(number)) {
            significand = kIntegerBit;
            top |= 0x7FFF;
        } else if (number != 0) {
            int power;
            const long double fraction = std::frexp(std::fabs(number), &power);  // in [0.5, 1)
            const int exponent = power - 1 + kExtendedBias;
            if (exponent > 0) {
                significand = static_cast<uint64_t>(std::ldexp(fraction, 64));
                top |= exponent;
            } else {
                significand = static_cast<uint64_t>(std::ldexp(std::fabs(number), kExtendedBias + 62));
            }
        }
        byteorder::toBytes(significand, bytes, 8, false);
        bytes[8] = static_cast<unsigned char>(top);
        bytes[9] = static_cast<unsigned char>(top >> 8);
    }
};

using Single = Binary<float, uint32_t>;
using Double = Binary<double, uint64_t>;

void convert(const char* text, char** end, float* number) {
    *number = std::strtof(text, end);
}
void convert(const char* text, char** end, double* number) {
    *number = std::strtod(text, end);
}
void convert(const char* text, char** end, long double* number) {
    *number = std::strtold(text, end);
}

// One number and nothing but white space around it.
template <typename T>
bool readNumber(const char* text, T* number) {
    char* end;
    convert(text, &end, number);
    if (end == text) return false;
    while (std::isspace(static_cast<unsigned char>(*end))) ++end;
    return *end == '\0';
}

template <typename T>
void formatShortest(T number, char* text, size_t size) {
    if (std::isnan(number)) {
        std::snprintf(text, size, "nan");
        return;
    }
    if (std::isinf(number)) {
        std::snprintf(text, size, number < 0 ? "-inf" : "inf");
        return;
    }
    constexpr int kMostDigits = std::numeric_limits<T>::max_digits10;
    int digits = 0;
    T back;
    do {
        std::snprintf(text, size, "%.*Lg", ++digits, static_cast<long double>(number));
    } while (digits < kMostDigits && !(readNumber(text, &back) && back == number));
    // A whole number as digits up to where the format's precision ends: 44100, not 4.41e+04.
    const char* exponent = std::strchr(text, 'e');
    const int power = exponent ? std::atoi(exponent + 1) : 0;
    if (power >= digits && power < kMostDigits)
        std::snprintf(text, size, "%.*Lg", power + 1, static_cast<long double>(number));
}

template <typename Format>
void formatAs(const unsigned char* bytes, char* text, size_t size) {
    formatShortest(Format::value(bytes), text, size);
}

template <typename Format>
bool parseAs(const char* text, unsigned char* bytes) {
    typename Format::Type entered;
    if (!readNumber(text, &entered)) return false;
    const typename Format::Type held = Format::value(bytes);
    const bool same = std::isnan(entered) ? std::isnan(held)
                                          : entered == held && std::signbit(entered) == std::signbit(held);
    if (!same) Format::encode(entered, bytes);
    return true;
}

}  // namespace

int floatWidth(FloatFormat format) {
    return format == FloatFormat::Single ? 4 : format == FloatFormat::Double ? 8 : kLongestFloat;
}

void formatFloat(FloatFormat format, const unsigned char* bytes, char* text, size_t size) {
    switch (format) {
        case FloatFormat::Single:
            return formatAs<Single>(bytes, text, size);
        case FloatFormat::Double:
            return formatAs<Double>(bytes, text, size);
        case FloatFormat::Extended:
            return formatAs<Extended>(bytes, text, size);
    }
}

bool parseFloat(FloatFormat format, const char* text, unsigned char* bytes) {
    switch (format) {
        case FloatFormat::Single:
            return parseAs<Single>(text, bytes);
        case FloatFormat::Double:
            return parseAs<Double>(text, bytes);
        case FloatFormat::Extended:
            return parseAs<Extended>(text, bytes);
    }
    return false;
}
