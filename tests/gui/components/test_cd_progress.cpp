// Converting the CD's tracks before a start: the player may cancel.
#include "GuiTest.h"

#include "components/_cdprogress.h"
#include "ui__cdprogress.h"

#include <QPushButton>
#include <QTemporaryDir>
#include <QtEndian>

TEST_F(GuiTest, ATrackIsConvertedToWholeCdSectorsUnlessThePlayerCancels)
{
    // Five seconds of silence as a WAVE file: 44.1 kHz, 16-bit stereo.
    const QTemporaryDir folder;
    QByteArray wave(44 + 5 * 176400, '\0');
    char* header = wave.data();
    const std::pair<int, quint32> fields[] = {{4, wave.size() - 8}, {16, 16}, {20, 0x20001}, {24, 44100},
                                              {28, 176400},         {32, 0x100004}, {40, wave.size() - 44}};
    std::memcpy(header, "RIFF----WAVEfmt ", 16);
    std::memcpy(header + 36, "data", 4);
    for (const auto& [at, value] : fields)
        qToLittleEndian(value, header + at);
    const std::string source = folder.filePath("t.wav").toStdString(), target = folder.filePath("t.bin").toStdString();
    QFile file(QString::fromStdString(source));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(wave) == wave.size());
    file.close();

    TCdProgress progress;
    whenModal([&](QWidget*) { progress.ui->Cancel->click(); });
    EXPECT_FALSE(progress.run({{source, target}}));
    EXPECT_FALSE(QFile::exists(QString::fromStdString(target)));
    EXPECT_TRUE(progress.run({{source, target}}));
    EXPECT_EQ(QFileInfo(QString::fromStdString(target)).size(), 5 * 176400);  // 375 sectors
    EXPECT_FALSE(progress.isVisible());
}
