// A walk's step whose wave is not heard lasts as long as a silent step: the window waits
// out the rest of the step itself instead of letting the horse jump.
#include "AppSettings.h"
#include "GameEngine.h"
#include "PrivateSoundServer.h"
#include "ShellTestSupport.h"
#include "TestWave.h"
#include "TfrmPrincipale.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sndfile.h>

#include <cstdlib>
#include <memory>
#include <vector>

namespace {

// The window as the game has it, only remembering the pauses it asks for.
class PacedWindow : public TfrmPrincipale {
public:
    void sleepMs(int ms) override { pauses.push_back(ms); }
    std::vector<int> pauses;
};

class PulseServerAt {
public:
    explicit PulseServerAt(const std::string& address) {
        if (const char* old = std::getenv("PULSE_SERVER"))
            saved_ = std::make_unique<std::string>(old);
        qputenv("PULSE_SERVER", QByteArray::fromStdString(address));
    }
    ~PulseServerAt() {
        if (saved_)
            qputenv("PULSE_SERVER", QByteArray::fromStdString(*saved_));
        else
            qunsetenv("PULSE_SERVER");
    }

private:
    std::unique_ptr<std::string> saved_;
};

} // namespace

class TestStepPace : public QObject {
    Q_OBJECT

    QTemporaryDir dir;

    std::string file(const char* name) const {
        return dir.filePath(QLatin1String(name)).toStdString();
    }

    // One step's sound through a fresh window; the pauses the window asked for.
    std::vector<int> step(const std::string& wave) {
        PacedWindow window;
        window.playWaveSync(wave);
        return window.pauses;
    }

private slots:
    void initTestCase() {
        initShellTests();
        appSettings().settingsPath = file("bramidou.ini");
        QVERIFY(
            writeTestWave(file("tone.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, 44100, 1, 60, 60));
        QFile text(QString::fromStdString(file("text.wav")));
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write("Ceci n'est pas un son.\r\n");
        text.close();
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder.wav")));
    }

    void unheardStepWaitsOutItsPace_data() {
        QTest::addColumn<QString>("wave");
        QTest::newRow("missing") << QStringLiteral("missing.wav");
        QTest::newRow("not a wave") << QStringLiteral("text.wav");
        QTest::newRow("a folder") << QStringLiteral("folder.wav");
        QTest::newRow("no sound server") << QStringLiteral("tone.wav");
    }

    void unheardStepWaitsOutItsPace() {
        QFETCH(QString, wave);
        PulseServerAt nowhere("unix:/nonexistent/bramidou/native");
        const std::vector<int> pauses = step(file(wave.toUtf8().constData()));
        QCOMPARE(pauses.size(), std::size_t{1});
        QVERIFY2(pauses[0] > 0 && pauses[0] <= GameEngine::stepPauseMs,
                 QByteArray::number(pauses[0]).constData());
    }

    // Heard while the server runs; once it has gone, in the middle of the game, the
    // steps keep their pace.
    void serverGoneMidGame() {
        if (!PrivateSoundServer::installed())
            QSKIP("pulseaudio is not installed");
        PrivateSoundServer server;
        QVERIFY2(server.running(), server.failure().c_str());
        PulseServerAt there(server.address());
        PacedWindow window;
        window.playWaveSync(file("tone.wav"));
        QCOMPARE(window.pauses.size(), std::size_t{0});
        server.stop();
        window.playWaveSync(file("tone.wav"));
        window.playWaveSync(file("tone.wav"));
        QCOMPARE(window.pauses.size(), std::size_t{2});
        for (int pause : window.pauses)
            QVERIFY(pause > 0 && pause <= GameEngine::stepPauseMs);
    }
};

QTEST_MAIN(TestStepPace)
#include "tst_steppace.moc"
