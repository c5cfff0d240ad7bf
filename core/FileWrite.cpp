#include "FileWrite.h"

#include <QSaveFile>

namespace core {

Status ReplaceFile(const QString &path, const QByteArray &data)
{
    // Unbuffered, so every write reaches the file system here and a full disk
    // shows as a failed write: a buffered one fails only in the flush inside
    // commit(), which then renames the cut file over the old one all the same.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return failed(file.errorString());
    qint64 done = 0;
    while (done < data.size()) {
        // A short write is no error yet: the next one tells why it was short.
        const qint64 n = file.write(data.constData() + done, data.size() - done);
        if (n <= 0) {
            const QString why = file.error() == QFileDevice::NoError ? QStringLiteral("the data could not be written")
                                                                      : file.errorString();
            file.cancelWriting(); // the destructor then removes the temporary file
            return failed(why);
        }
        done += n;
    }
    if (!file.commit())
        return failed(file.errorString());
    return success();
}

} // namespace core
