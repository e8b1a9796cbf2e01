#pragma once

#include <QByteArray>

#include <initializer_list>

// Spells out expected .schx bytes field by field in tests, independently of the writer:
// big-endian int32, one-byte bools, length-prefixed UTF-8 and 0xFFFFFFFF for null.
class Bytes
{
public:
    Bytes &i32(qint32 v)
    {
        const quint32 u = quint32(v);
        m_data.append(char(u >> 24)).append(char(u >> 16)).append(char(u >> 8)).append(char(u));
        return *this;
    }
    Bytes &b(bool v)
    {
        m_data.append(v ? '\1' : '\0');
        return *this;
    }
    Bytes &str(const QByteArray &utf8)
    {
        i32(utf8.size());
        m_data.append(utf8);
        return *this;
    }
    Bytes &null() { return i32(-1); }
    Bytes &col(int r, int g, int b) { return i32(r).i32(g).i32(b); }
    // Seven flags, Monday first.
    Bytes &days(std::initializer_list<int> flags)
    {
        for (int f : flags)
            i32(f);
        return *this;
    }
    Bytes &allDays() { return days({1, 1, 1, 1, 1, 1, 1}); }
    Bytes &raw(const QByteArray &bytes)
    {
        m_data.append(bytes);
        return *this;
    }

    QByteArray data() const { return m_data; }
    operator QByteArray() const { return m_data; }

private:
    QByteArray m_data;
};
