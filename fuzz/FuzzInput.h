#pragma once
#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

namespace ink::fuzz {

// Reads an input as a sequence of fields: small numbers from single bytes,
// texts up to the next 0x01 byte (or the end).
class FuzzInput {
public:
    FuzzInput(const uint8_t* data, size_t size)
        : data_(reinterpret_cast<const char*>(data))
        , size_(size)
    {
    }

    bool atEnd() const { return at_ >= size_; }

    // A number in [low, high] (inclusive), `low` when the input is used up.
    int number(int low, int high)
    {
        if (atEnd() || high <= low)
            return low;
        const unsigned char byte = static_cast<unsigned char>(data_[at_++]);
        return low + int(byte % unsigned(high - low + 1));
    }

    bool flag() { return number(0, 1) == 1; }

    QByteArray bytes()
    {
        size_t end = at_;
        while (end < size_ && data_[end] != '\x01')
            ++end;
        QByteArray field(data_ + at_, qsizetype(end - at_));
        at_ = end < size_ ? end + 1 : end;
        return field;
    }

    QString text() { return QString::fromUtf8(bytes()); }

    // Everything not read yet.
    QByteArray rest()
    {
        QByteArray field(data_ + at_, qsizetype(size_ - at_));
        at_ = size_;
        return field;
    }

private:
    const char* data_;
    size_t size_;
    size_t at_ = 0;
};

}
