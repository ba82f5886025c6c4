#include "engine/ScanReader.h"

#include <algorithm>
#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define QFF_SCAN_X86 1
#endif

namespace qff {

namespace {

bool MatchesAt(const unsigned char* p, unsigned char c, unsigned char d, unsigned char e,
               unsigned char f) {
    return p[0] == 'P' && p[1] == 'K' && ((p[2] == c && p[3] == d) || (p[2] == e && p[3] == f));
}

std::size_t FindScalar(const unsigned char* data, std::size_t from, std::size_t count,
                       unsigned char c, unsigned char d, unsigned char e, unsigned char f) {
    for (std::size_t i = from; i + 4 <= count; ++i) {
        if (MatchesAt(data + i, c, d, e, f)) {
            return i;
        }
    }
    return count;
}

#ifdef QFF_SCAN_X86
// The vector loops look for the last two signature bytes first: in the data a scan
// meets (random bytes, runs of zeros or of one letter) the pair is rare, so only its
// few candidates are checked for "PK" one by one. Bit j of a candidate mask stands for
// position i + j; checking the bits from the lowest keeps positions in order.
std::size_t FirstConfirmed(const unsigned char* data, std::size_t i, std::uint64_t mask) {
    while (mask != 0) {
        const auto j = static_cast<std::size_t>(__builtin_ctzll(mask));
        if (data[i + j] == 'P' && data[i + j + 1] == 'K') {
            return j;
        }
        mask &= mask - 1;
    }
    return 64;
}

template <bool kTwo>
std::size_t FindSse2(const unsigned char* data, std::size_t count, unsigned char c, unsigned char d,
                     unsigned char e, unsigned char f) {
    const __m128i vc = _mm_set1_epi8(static_cast<char>(c));
    const __m128i vd = _mm_set1_epi8(static_cast<char>(d));
    const __m128i ve = _mm_set1_epi8(static_cast<char>(e));
    const __m128i vf = _mm_set1_epi8(static_cast<char>(f));
    std::size_t i = 0;
    for (; i + 19 <= count; i += 16) {
        const __m128i b2 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i + 2));
        const __m128i b3 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i + 3));
        __m128i tail = _mm_and_si128(_mm_cmpeq_epi8(b2, vc), _mm_cmpeq_epi8(b3, vd));
        if constexpr (kTwo) {
            tail =
                _mm_or_si128(tail, _mm_and_si128(_mm_cmpeq_epi8(b2, ve), _mm_cmpeq_epi8(b3, vf)));
        }
        const auto mask = static_cast<std::uint64_t>(_mm_movemask_epi8(tail));
        if (mask != 0) {
            const std::size_t j = FirstConfirmed(data, i, mask);
            if (j < 64) {
                return i + j;
            }
        }
    }
    return FindScalar(data, i, count, c, d, e, f);
}

// The same with 64 positions per loop turn.
template <bool kTwo>
__attribute__((target("avx2"))) std::size_t FindAvx2(const unsigned char* data, std::size_t count,
                                                     unsigned char c, unsigned char d,
                                                     unsigned char e, unsigned char f) {
    const __m256i vc = _mm256_set1_epi8(static_cast<char>(c));
    const __m256i vd = _mm256_set1_epi8(static_cast<char>(d));
    const __m256i ve = _mm256_set1_epi8(static_cast<char>(e));
    const __m256i vf = _mm256_set1_epi8(static_cast<char>(f));
    std::size_t i = 0;
    for (; i + 67 <= count; i += 64) {
        const unsigned char* at = data + i;
        const __m256i lo2 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at + 2));
        const __m256i lo3 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at + 3));
        const __m256i hi2 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at + 34));
        const __m256i hi3 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at + 35));
        __m256i lo = _mm256_and_si256(_mm256_cmpeq_epi8(lo2, vc), _mm256_cmpeq_epi8(lo3, vd));
        __m256i hi = _mm256_and_si256(_mm256_cmpeq_epi8(hi2, vc), _mm256_cmpeq_epi8(hi3, vd));
        if constexpr (kTwo) {
            lo = _mm256_or_si256(
                lo, _mm256_and_si256(_mm256_cmpeq_epi8(lo2, ve), _mm256_cmpeq_epi8(lo3, vf)));
            hi = _mm256_or_si256(
                hi, _mm256_and_si256(_mm256_cmpeq_epi8(hi2, ve), _mm256_cmpeq_epi8(hi3, vf)));
        }
        if (_mm256_testz_si256(_mm256_or_si256(lo, hi), _mm256_or_si256(lo, hi)) == 0) {
            const std::uint64_t mask =
                static_cast<std::uint32_t>(_mm256_movemask_epi8(lo)) |
                (static_cast<std::uint64_t>(static_cast<std::uint32_t>(_mm256_movemask_epi8(hi)))
                 << 32);
            const std::size_t j = FirstConfirmed(data, i, mask);
            if (j < 64) {
                return i + j;
            }
        }
    }
    return FindScalar(data, i, count, c, d, e, f);
}

using FindFunction = std::size_t (*)(const unsigned char*, std::size_t, unsigned char,
                                     unsigned char, unsigned char, unsigned char);

struct FindFunctions {
    FindFunction one;
    FindFunction two;
};

FindFunctions ChooseFind() {
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx2")) {
        return {FindAvx2<false>, FindAvx2<true>};
    }
    return {FindSse2<false>, FindSse2<true>};
}
#endif

}  // namespace

std::size_t FindSignature(const unsigned char* data, std::size_t count, unsigned char third,
                          unsigned char fourth, unsigned char otherThird,
                          unsigned char otherFourth) {
#ifdef QFF_SCAN_X86
    static const FindFunctions find = ChooseFind();
    const bool two = third != otherThird || fourth != otherFourth;
    return (two ? find.two : find.one)(data, count, third, fourth, otherThird, otherFourth);
#else
    return FindScalar(data, 0, count, third, fourth, otherThird, otherFourth);
#endif
}

ScanReader::ScanReader(ByteSource& source, std::uint64_t length, std::size_t capacity)
    : source_(source), length_(length), window_(std::max<std::size_t>(capacity, 16)) {}

bool ScanReader::Fill(std::uint64_t offset) {
    windowStart_ = offset;
    windowLength_ = 0;
    const std::uint64_t wanted64 =
        std::min<std::uint64_t>(window_.size(), length_ - std::min(offset, length_));
    const auto wanted = static_cast<std::size_t>(wanted64);
    while (windowLength_ < wanted) {
        const std::size_t got = source_.ReadAt(
            offset + windowLength_, reinterpret_cast<std::byte*>(window_.data() + windowLength_),
            wanted - windowLength_);
        if (got == 0) {
            // The source ended early (shrunk, or a read error): the file ends here.
            length_ = offset + windowLength_;
            break;
        }
        windowLength_ += got;
    }
    return windowLength_ > 0;
}

void ScanReader::Read(std::uint64_t offset, unsigned char* out, std::size_t count) {
    if (count == 0) {
        return;  // out may be null then (an empty name)
    }
    std::memset(out, 0, count);
    while (count > 0 && offset < length_) {
        const bool inside = offset >= windowStart_ && offset < windowStart_ + windowLength_;
        if (!inside && !Fill(offset)) {
            return;
        }
        const auto skip = static_cast<std::size_t>(offset - windowStart_);
        const std::size_t take = std::min(count, windowLength_ - skip);
        std::memcpy(out, window_.data() + skip, take);
        out += take;
        offset += take;
        count -= take;
    }
}

std::optional<ScanReader::Hit> ScanReader::Find(std::uint64_t from, unsigned char third,
                                                unsigned char fourth, unsigned char otherThird,
                                                unsigned char otherFourth,
                                                const std::atomic<int>& jobRunning) {
    // Invariant: every position below from has been examined and did not match.
    while (from + 4 <= length_) {
        if (jobRunning.load(std::memory_order_relaxed) == 0) {
            return std::nullopt;
        }
        const bool inside = from >= windowStart_ && from + 4 <= windowStart_ + windowLength_;
        if (!inside && (!Fill(from) || windowLength_ < 4)) {
            return std::nullopt;
        }
        const auto skip = static_cast<std::size_t>(from - windowStart_);
        const std::size_t available = windowLength_ - skip;
        const std::size_t index =
            FindSignature(window_.data() + skip, available, third, fourth, otherThird, otherFourth);
        if (index < available) {
            const unsigned char* at = window_.data() + skip + index;
            return Hit{from + index, !(at[2] == third && at[3] == fourth)};
        }
        // The last 3 bytes of the window start positions not yet examined.
        from = windowStart_ + windowLength_ - 3;
    }
    return std::nullopt;
}

}  // namespace qff
