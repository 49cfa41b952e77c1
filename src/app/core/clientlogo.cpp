#include "app/core/clientlogo.h"

#include "platform/paths.h"
#include "platform/xlsxbook.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QObject>

namespace {

constexpr qint64 kMaxLogoBytes = 64 * 1024 * 1024;  // what the report takes as a picture

bool ReadAll(const QString& path, QByteArray& out)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly) || f.size() > kMaxLogoBytes)
        return false;
    out = f.readAll();
    return f.error() == QFileDevice::NoError;
}

bool SameFolder(const QString& a, const QString& b)
{
    const QString ca = QFileInfo(a).canonicalFilePath();
    return !ca.isEmpty() && ca == QFileInfo(b).canonicalFilePath();
}

ClientLogoPick Refused(const QString& message)
{
    ClientLogoPick r;
    r.message = message;
    return r;
}

}  // namespace

ClientLogoPick TakeClientLogo(const QString& picked, const QString& logoFolder)
{
    QByteArray data;
    if (!ReadAll(picked, data))
        return Refused(QObject::tr("발주처 CI 파일을 읽을 수 없습니다.\n%1").arg(picked));
    if (Book().addPicture(data) < 0)
        return Refused(QObject::tr("발주처 CI 파일이 그림(JPG, PNG)이 아닙니다.\n%1").arg(picked));

    const QFileInfo source(picked);
    ClientLogoPick r;
    r.ok = true;
    r.name = source.fileName();
    if (SameFolder(source.absolutePath(), logoFolder))
        return r;

    if (!QDir().mkpath(logoFolder))
        return Refused(QObject::tr("발주처 CI 폴더를 만들 수 없습니다.\n%1").arg(logoFolder));
    const QString base = source.completeBaseName();
    const QString suffix = source.suffix().isEmpty() ? QString() : QLatin1Char('.') + source.suffix();
    for (int n = 1; n < 1000; ++n) {
        const QString name = n == 1 ? r.name : QStringLiteral("%1 (%2)%3").arg(base).arg(n).arg(suffix);
        const QString target = JoinPath(logoFolder, name);
        if (QFileInfo::exists(target)) {
            QByteArray existing;
            if (ReadAll(target, existing) && existing == data) {
                r.name = name;
                return r;
            }
            continue;
        }
        if (!QFile::copy(picked, target))
            return Refused(QObject::tr("발주처 CI 파일을 CI 폴더에 복사하지 못했습니다.\n%1").arg(target));
        // A read-only original gives a read-only copy; the program's own folder stays writable.
        QFile::setPermissions(target, QFile::permissions(target) | QFileDevice::WriteOwner);
        r.name = name;
        return r;
    }
    return Refused(QObject::tr("발주처 CI 폴더에 같은 이름의 파일이 너무 많습니다.\n%1").arg(logoFolder));
}
