#pragma once

#include <QDialog>
#include <QPixmap>
#include <QPoint>

#include "WaveDeviceCounter.h"

#include <functional>
#include <memory>

class ImageControl;
class PauseField;
class QCheckBox;
class QComboBox;

// The settings dialog: who plays each colour, the computer's pause and level, and the sound. It
// edits the process's settings record; OK writes the settings file, Cancel reads it back.
// Drawn from one picture; the lists and the pause field are real controls set into it.
class TfrmConfigurer : public QDialog {
    Q_OBJECT

public:
    // The device counter answers the sound test that Cancel repeats; without one the
    // dialog asks the sound server, as the main window does.
    explicit TfrmConfigurer(std::unique_ptr<WaveDeviceCounter> devices = nullptr,
                            QWidget* parent = nullptr);
    ~TfrmConfigurer() override;

    // The dialog made at start-up, or nullptr before it exists.
    static TfrmConfigurer* instance();

    // F1 goes here: the game's help, unless a test listens instead.
    void setHelpHandler(std::function<void()> handler) { helpHandler_ = std::move(handler); }

    bool okHighlighted() const { return okHighlighted_; }
    bool cancelHighlighted() const { return cancelHighlighted_; }
    bool isDragging() const { return dragging_; }
    QComboBox* playerList(int colour) const;

    ImageControl* imgConfiguration = nullptr;
    ImageControl* btnOk = nullptr;
    ImageControl* btnCancel = nullptr;
    ImageControl* imgCheckBoxSound = nullptr;
    QCheckBox* chkSound = nullptr;
    // The strong computer's box, drawn and ticked like the sound box.
    ImageControl* imgCheckBoxStrong = nullptr;
    QCheckBox* chkStrong = nullptr;
    PauseField* spinTempo = nullptr;
    QComboBox* cbYellowPlayerType = nullptr;
    QComboBox* cbGreenPlayerType = nullptr;
    QComboBox* cbBluePlayerType = nullptr;
    QComboBox* cbRedPlayerType = nullptr;

    // The artwork the controls above take their pictures from.
    QPixmap OkSEL, CancelSEL, imgCheckBoxChecked, imgCheckBoxUnchecked;

    void MiseAJour();
    void btnOkClick();
    void btnCancelClick();
    void imgCheckBoxSoundClick();
    void imgCheckBoxStrongClick();
    void FormKeyUp(int key, Qt::KeyboardModifiers modifiers);
    void btnOkMouseMove();
    void btnCancelMouseMove();
    void imgConfigurationMouseDown(QPoint pos);
    void imgConfigurationMouseMove(QPoint pos);
    void imgConfigurationMouseUp();

public slots:
    // Escape and the window manager's close both mean Cancel.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void fitToFace();
    QComboBox* makePlayerList(const char* name, int top);
    void clearHighlights();
    void showSoundBox();
    void showStrongBox();
    QWidget* makeFocusRing(const QRect& box);

    std::unique_ptr<WaveDeviceCounter> devices_;
    std::function<void()> helpHandler_;
    QWidget* soundFocusRing_ = nullptr;
    QWidget* strongFocusRing_ = nullptr;
    bool okHighlighted_ = false;
    bool cancelHighlighted_ = false;
    bool dragging_ = false;
    bool shownBefore_ = false;
    // A key acts on its release only when its press reached this window too, so the
    // Enter or Escape that closes a list's drop-down does not also close the dialog.
    int pressedKey_ = 0;
    QPoint dragOrigin_;
};
