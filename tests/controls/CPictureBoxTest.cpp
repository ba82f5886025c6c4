#include "view/CPictureBox.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QTemporaryDir>
#include <QThread>
#include <QtEndian>
#include <QtTest/QTest>

namespace qff {
namespace {

const QColor kFace(212, 208, 200);

QImage Grab(QWidget& widget) {
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Bounding box of everything that is not the face colour.
QRect InkBounds(const QImage& image) {
    QRect bounds;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != kFace.rgb()) {
                bounds |= QRect(x, y, 1, 1);
            }
        }
    }
    return bounds;
}

// Rows holding ink, grouped into runs of consecutive rows: one run per text line.
int InkLineCount(const QImage& image) {
    int lines = 0;
    bool inLine = false;
    for (int y = 0; y < image.height(); ++y) {
        bool ink = false;
        for (int x = 0; x < image.width() && !ink; ++x) {
            ink = image.pixel(x, y) != kFace.rgb();
        }
        lines += ink && !inLine;
        inLine = ink;
    }
    return lines;
}

quint32 Crc32(const QByteArray& bytes) {
    quint32 crc = 0xFFFFFFFFu;
    for (const char c : bytes) {
        crc ^= static_cast<quint8>(c);
        for (int k = 0; k < 8; ++k) {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    return ~crc;
}

QByteArray PngChunk(const char* type, const QByteArray& data) {
    QByteArray chunk(4, '\0');
    qToBigEndian(static_cast<quint32>(data.size()), chunk.data());
    const QByteArray body = QByteArray(type) + data;
    QByteArray crc(4, '\0');
    qToBigEndian(Crc32(body), crc.data());
    return chunk + body + crc;
}

// A well-formed header for a 20000 x 20000 RGBA picture (1.6 GB decoded) with a
// token of pixel data: decoding it must be refused, not attempted.
QByteArray HugePng() {
    QByteArray header(13, '\0');
    qToBigEndian(20000u, header.data());
    qToBigEndian(20000u, header.data() + 4);
    header[8] = 8;  // bit depth
    header[9] = 6;  // RGBA
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + PngChunk("IHDR", header) +
           PngChunk("IDAT", QByteArray::fromHex("789c030000000001")) + PngChunk("IEND", {});
}

class PictureBox : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        QPalette pal = box.palette();
        pal.setColor(QPalette::Button, kFace);
        pal.setColor(QPalette::WindowText, Qt::black);
        box.setPalette(pal);
        box.resize(300, 200);
        QImage red(4, 3, QImage::Format_RGB32);
        red.fill(Qt::red);
        redPath = dir.filePath(QStringLiteral("red.png"));
        ASSERT_TRUE(red.save(redPath));
    }

    QString Write(const QString& name, const QByteArray& bytes) {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }

    QTemporaryDir dir;
    QString redPath;
    CPictureBox box;
};

TEST_F(PictureBox, MessageStartsAtTenTwentyOnTwoLines) {
    box.ShowPreview(QString(), PreviewState::NoFiles);
    const QImage image = Grab(box);
    const QRect ink = InkBounds(image);
    ASSERT_FALSE(ink.isNull());
    const QFontMetrics metrics(box.font());
    // Glyphs start at or just right of x = 10; the first line box starts at y = 20.
    EXPECT_GE(ink.left(), 10);
    EXPECT_LE(ink.left(), 12);
    EXPECT_GE(ink.top(), 20);
    EXPECT_LT(ink.top(), 20 + metrics.ascent());
    EXPECT_EQ(InkLineCount(image), 2);
    EXPECT_GE(ink.bottom(), 20 + metrics.lineSpacing());
}

TEST_F(PictureBox, PictureFillsTheWholeBox) {
    box.ShowPreview(redPath, PreviewState::Picture);
    ASSERT_TRUE(box.HasPicture());
    EXPECT_EQ(box.GetDrawMode(), DrawMode::Stretched);
    const QImage image = Grab(box);
    for (const QPoint p :
         {QPoint(0, 0), QPoint(299, 0), QPoint(0, 199), QPoint(299, 199), QPoint(150, 100)}) {
        EXPECT_EQ(image.pixel(p), QColor(Qt::red).rgb()) << p.x() << "," << p.y();
    }
}

TEST_F(PictureBox, NaturalAndCentredKeepThePictureSize) {
    box.SetPicture(redPath, PreviewState::Picture);
    box.SetDrawMode(DrawMode::Natural);
    EXPECT_EQ(InkBounds(Grab(box)), QRect(0, 0, 4, 3));
    box.SetDrawMode(DrawMode::Centred);
    EXPECT_EQ(InkBounds(Grab(box)), QRect(150 - 2, 100 - 1, 4, 3));
}

TEST_F(PictureBox, BadPictureFilesLeaveTheBoxBlank) {
    QFile good(redPath);
    ASSERT_TRUE(good.open(QIODevice::ReadOnly));
    const QByteArray png = good.readAll();
    struct Case {
        const char* name;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"empty.png", {}},
        {"truncated.png", png.left(png.size() / 2)},
        {"text.jpg", "this is not a picture at all\n"},
        {"huge.png", HugePng()},
        {"drawing.emf", QByteArray(400, '\x01')},
    };
    for (const Case& c : cases) {
        box.ShowPreview(redPath, PreviewState::Picture);
        QElapsedTimer timer;
        timer.start();
        box.ShowPreview(Write(QString::fromLatin1(c.name), c.bytes), PreviewState::SelectToPreview);
        EXPECT_LT(timer.elapsed(), 5000) << c.name;
        EXPECT_FALSE(box.HasPicture()) << c.name;
        // Blank: no picture and no message.
        EXPECT_TRUE(InkBounds(Grab(box)).isNull()) << c.name;
    }
}

TEST_F(PictureBox, MissingFileShowsTheStateMessage) {
    box.ShowPreview(redPath, PreviewState::Picture);
    box.ShowPreview(dir.filePath(QStringLiteral("gone.png")), PreviewState::NoImage);
    EXPECT_FALSE(box.HasPicture());
    EXPECT_EQ(InkLineCount(Grab(box)), 2);
}

TEST_F(PictureBox, EmptyPathInPictureStateIsBlank) {
    box.ShowPreview(redPath, PreviewState::Picture);
    box.ShowPreview(QString(), PreviewState::Picture);
    EXPECT_FALSE(box.HasPicture());
    EXPECT_TRUE(InkBounds(Grab(box)).isNull());
}

TEST_F(PictureBox, ShownPictureHoldsNoFileOpen) {
    box.ShowPreview(redPath, PreviewState::Picture);
    const QString target = QFileInfo(redPath).canonicalFilePath();
    for (const QFileInfo& fd : QDir(QStringLiteral("/proc/self/fd")).entryInfoList(QDir::System)) {
        EXPECT_NE(fd.symLinkTarget(), target) << "descriptor " << fd.fileName().toStdString();
    }
    // So the workspace can be wiped while the picture is on screen.
    EXPECT_TRUE(QFile::remove(redPath));
    EXPECT_TRUE(box.HasPicture());
}

TEST_F(PictureBox, ControlsOverThePictureStayVisible) {
    QWidget parent;
    parent.resize(300, 200);
    box.setParent(&parent);
    box.move(0, 0);
    QLabel over(&parent);
    over.setAutoFillBackground(true);
    QPalette pal = over.palette();
    pal.setColor(QPalette::Window, Qt::blue);
    over.setPalette(pal);
    over.setGeometry(100, 80, 50, 20);
    over.raise();
    box.ShowPreview(redPath, PreviewState::Picture);
    const QImage image = Grab(parent);
    EXPECT_EQ(image.pixel(120, 90), QColor(Qt::blue).rgb());
    EXPECT_EQ(image.pixel(20, 20), QColor(Qt::red).rgb());
    box.setParent(nullptr);
}

TEST_F(PictureBox, PreviewFromAWorkerThread) {
    QThread* worker = QThread::create([this] { box.ShowPreview(redPath, PreviewState::Picture); });
    worker->start();
    QTRY_VERIFY(worker->isFinished());
    delete worker;
    EXPECT_TRUE(box.HasPicture());
    EXPECT_EQ(Grab(box).pixel(10, 10), QColor(Qt::red).rgb());
}

}  // namespace
}  // namespace qff
