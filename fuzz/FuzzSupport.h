#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

// Reads the fuzzer's bytes as a little script of choices.
class FuzzInput {
public:
    FuzzInput(const uint8_t *data, size_t size) : m_data(data), m_size(size) {}

    bool atEnd() const { return m_pos >= m_size; }
    uint8_t byte() { return atEnd() ? 0 : m_data[m_pos++]; }
    int below(int n) { return n <= 0 ? 0 : byte() % n; }
    QByteArray bytes(int n)
    {
        QByteArray out;
        while (n-- > 0 && !atEnd())
            out.append(char(byte()));
        return out;
    }
    QByteArray rest() { return bytes(int(m_size - m_pos)); }

private:
    const uint8_t *m_data;
    size_t m_size;
    size_t m_pos = 0;
};

// A property that does not hold: a clear line, then abort so libFuzzer keeps the input.
#define FUZZ_CHECK(condition, what)                                                                                \
    do {                                                                                                           \
        if (!(condition)) {                                                                                        \
            std::fprintf(stderr, "PROPERTY FAILED: %s (%s:%d)\n", what, __FILE__, __LINE__);                    \
            std::abort();                                                                                          \
        }                                                                                                          \
    } while (false)
