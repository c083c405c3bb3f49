#pragma once

#include "CdPlayerControl.h"
#include "GameTimer.h"

#include <QPoint>
#include <QWidget>

#include <memory>

class ImageControl;
class QLabel;

// The small always-on-top CD player: a display panel over its artwork and nine image
// buttons. It polls the device to refresh the panel; closing it only hides it, and the
// disc plays on.
class TfrmCDPlayer : public QWidget {
    Q_OBJECT

public:
    // Without a backend, the machine's drives and the configured disc images.
    explicit TfrmCDPlayer(std::unique_ptr<CdBackend> backend = nullptr, QWidget* parent = nullptr);
    ~TfrmCDPlayer() override;

    CdPlayerControl& control() { return *control_; }
    CDAudioDevice& mediaCDPlayer() { return control_->mediaCDPlayer; }
    bool noDisc() const { return control_->noDisc; }
    bool isDragging() const { return dragging_; }

    ImageControl* imgBackground = nullptr;
    ImageControl* imgRewind = nullptr;
    ImageControl* imgPlay = nullptr;
    ImageControl* imgFastForward = nullptr;
    ImageControl* imgAvant = nullptr;
    ImageControl* imgStop = nullptr;
    ImageControl* imgApres = nullptr;
    ImageControl* imgEject = nullptr;
    ImageControl* imgPause = nullptr;
    ImageControl* imgExit = nullptr;
    QLabel* lblTracks = nullptr;
    QLabel* lblTracksValue = nullptr;
    QLabel* lblCurrentTrack = nullptr;
    QLabel* lblCurrentTrackValue = nullptr;
    QLabel* lblTrackTime = nullptr;
    QLabel* lblTrackTimeValue = nullptr;
    QLabel* lblTrackTimeElapsed = nullptr;
    QLabel* lblTrackTimeElapsedValue = nullptr;
    QLabel* lblCDPlayerStatus = nullptr;
    QLabel* lblCDDrive = nullptr;
    GameTimer timUpdateInfo;

    void FormShow();
    void FormActivate();
    void FormKeyUp(int key);
    void FormMouseDown(QPoint pos);
    void FormMouseMove(QPoint pos);
    void FormMouseUp();
    void imgPlayClick();
    void imgPauseClick();
    void imgStopClick();
    void imgAvantClick();
    void imgApresClick();
    void imgRewindClick();
    void imgFastForwardClick();
    void imgEjectClick();
    void imgExitClick();
    void timUpdateInfoTimer();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;

private:
    void FormCreate();
    ImageControl* makeButton(const char* name, int left, int top, const QString& hint);
    QLabel* makeLabel(const char* name, int left, int top, int width, int height,
                      const QString& text, Qt::Alignment alignment, bool bold = false);
    // Every device button first brings the refresh back to 100 ms.
    void armFastRefresh();
    void showPanel();

    std::unique_ptr<CdBackend> backend_;
    std::unique_ptr<CdPlayerControl> control_;
    QPoint dragOrigin;
    bool dragging_ = false;
};
