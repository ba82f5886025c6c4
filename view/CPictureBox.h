#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

namespace qff {

// What the preview pane has to say when it holds no picture.
enum class PreviewState {
    NoFiles = 0,          // "No .odf file(s) is available\n in the list"
    SelectToRepair = 1,   // "Select .odf file(s)\n to repair"
    Repairing = 2,        // "Please wait while .odf file(s)\n are repairing...."
    SelectToPreview = 3,  // "Select .odf file(s)\n to see preview"
    NoImage = 4,          // "No image is present \n in the selected .odf file(s)"
    NotRepaired = 5,      // "Selected .odf file(s)\n is not repaired...."
    Picture = 6,          // no message
};

// How a picture is placed in the box.
enum class DrawMode {
    Natural = 0,    // own size, top left corner
    Centred = 1,    // own size, centred
    Stretched = 2,  // scaled to fill the whole box
};

// The preview pane's picture: one decoded picture file, or the two-line message of a
// PreviewState at (10, 20). A file that exists but cannot be decoded leaves the box
// blank (background only). The file is read completely when it is set and never held
// open, so its folder can be deleted at any time.
class CPictureBox : public QWidget {
    Q_OBJECT

  public:
    explicit CPictureBox(QWidget* parent = nullptr);

    // Stores the state and replaces the picture by the file at path (nothing for an
    // empty or missing path). Repaints.
    void SetPicture(const QString& path, PreviewState state);

    // The operation every caller uses: SetPicture, then DrawMode::Stretched. May be
    // called from any thread; the file is decoded on the calling thread, and the box
    // is changed on its own thread while the caller waits.
    void ShowPreview(const QString& path, PreviewState state);

    void SetDrawMode(DrawMode mode);
    DrawMode GetDrawMode() const { return mode_; }
    PreviewState GetState() const { return state_; }

    // True when a decoded picture is shown; false for a message or a blank box.
    bool HasPicture() const { return !picture_.isNull(); }

    // The message painted for a state without a picture (empty for Picture).
    static QString MessageFor(PreviewState state);

    // Decodes a picture file: a null image when path is empty, missing, or cannot be
    // decoded (or is too large to decode). failed is set when a file existed but did
    // not decode. Safe on any thread.
    static QImage LoadPicture(const QString& path, bool* failed);

    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void Apply(const QImage& picture, bool failed, PreviewState state, bool stretch);

    PreviewState state_ = PreviewState::NoFiles;
    DrawMode mode_ = DrawMode::Centred;
    QImage picture_;
    bool failed_ = false;  // a file was given but did not decode: blank box
};

}  // namespace qff
