#pragma once
// The C library's locale switched to one that writes a decimal comma (de_DE.UTF-8) for as long
// as the object lives, and put back as it was after, also when a check fails on the way.
#include <clocale>
#include <string>

class CommaDecimalLocale
{
public:
    CommaDecimalLocale() : m_previous(std::setlocale(LC_ALL, nullptr)), m_installed(std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr) {}
    ~CommaDecimalLocale() { std::setlocale(LC_ALL, m_previous.c_str()); }
    CommaDecimalLocale(const CommaDecimalLocale&) = delete;
    CommaDecimalLocale& operator=(const CommaDecimalLocale&) = delete;

    // False when the machine has no such locale (scripts/deps.sh generates it).
    bool installed() const { return m_installed; }

private:
    std::string m_previous;
    bool m_installed;
};
