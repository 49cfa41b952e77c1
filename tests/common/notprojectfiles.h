#pragma once
// Files that a user may pick as a project but that are none: each lacks all seven sections
// of the project file, so opening it must be refused and it must never be written.
#include <QByteArray>
#include <QList>
#include <QPair>
#include <QRandomGenerator>
#include <QString>
#include <QStringEncoder>

inline QList<QPair<const char*, QByteArray>> NotProjectFiles()
{
    // Fixed seed: the same bytes on every run.
    QRandomGenerator random(20240611);
    QByteArray noise(4096, '\0');
    for (char& c : noise)
        c = char(random.bounded(256));
    // The configuration file as Windows writes it: UTF-16 with a byte-order mark, sections of
    // its own and none of a project's.
    QStringEncoder utf16(QStringEncoder::Utf16LE);
    const QByteArray utf16Text = QByteArray("\xFF\xFE") +
                                 QByteArray(utf16(QStringLiteral("[SYSTEM]\r\nPrint=0\r\nlastPro=C:\\PRO\\가동\\가동.pro\r\n")));
    return {
        {"random bytes", noise},
        {"empty file", QByteArray()},
        {"UTF-16 text without the sections", utf16Text},
        // A copy cut short inside its first line: the header never closes.
        {"truncated first line", QByteArray("[Project_Intro")},
    };
}
