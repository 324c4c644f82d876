#include "platform/sound/RingChoice.h"

#include "core/FileIO.h"

#include <QDir>
#include <QRandomGenerator>

QString RingFilePath(const QString& ringsDir, const QStringList& ringList, const QString& ringType,
                     const std::function<int(int)>& randomBelow) {
    const QString random = QStringLiteral("Random");
    QString name = ringType;
    if (ringType == random) {
        const int choices = int(ringList.size()) - 1;
        const int index = choices > 0 ? randomBelow(choices) : 0;
        name = ringList.value(index, random);
    }
    if (!FileIO::isSafeFileName(name))
        name = random;
    return QDir(ringsDir).filePath(name);
}

int SystemRandomBelow(int bound) {
    return bound > 0 ? int(QRandomGenerator::global()->bounded(bound)) : 0;
}
