// Measures what the main window costs: its 10 ms refresh tick with and without a change, a
// full repaint of the drawing, start-up time, idle CPU and memory, the last three beside a bare
// window of the same size. Run from the build directory: ./loam_bench

#include "calculator/diagram_view.h"
#include "calculator/diagrams/diagram_store.h"
#include "calculator/refresh_keys.h"
#include "calculator/zediz.h"
#include "platform/metafile.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRadioButton>
#include <QTest>
#include <QThread>
#include <QTimer>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <vector>

// The window's private procedures, for timing them one by one.
struct ZedizBench
{
    Zediz &w;
    void tick() { w.Timer1_Timer(); }
    void stopTimers()
    {
        w.Timer1->stop();
        w.Timer2->stop();
    }
    CalculatorState &state() { return w.s; }
    DiagramView *picture() { return w.Pic1; }
    QRadioButton *material(bool aluminum) { return aluminum ? w.OpAL : w.OpCU; }
    bool refreshed() const
    {
        return !w.s.ShownDiagramNumber.isEmpty() && w.ComAM->count() == 17 && w.s.ShownTotal != 0;
    }
};

namespace {

// Counts paint events across all widgets of the application.
class PaintCounter : public QObject
{
public:
    int paints = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
           + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

long statusKilobytes(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(qsizetype(qstrlen(field))).trimmed().split(' ').front().toLong();
    }
    return 0;
}

// VmHWM, not ru_maxrss: the latter carries the parent's size across fork and exec.
long peakKilobytes()
{
    return statusKilobytes("VmHWM:");
}

long residentKilobytes()
{
    return statusKilobytes("VmRSS:");
}

void settle()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

int tickCosts()
{
    const DiagramStore store = DiagramStore::embedded();
    Zediz window(store);
    window.show();
    (void) QTest::qWaitForWindowExposed(&window);
    ZedizBench bench{window};
    for (QElapsedTimer wait; !bench.refreshed();) {
        if (!wait.isValid())
            wait.start();
        if (wait.elapsed() > 10000)
            return 1;
        QTest::qWait(1);
    }
    bench.stopTimers();
    settle();

    std::vector<double> idle;
    QElapsedTimer clock;
    for (int i = 0; i < 20000; ++i) {
        clock.start();
        bench.tick();
        idle.push_back(double(clock.nsecsElapsed()) / 1000.0);
    }
    settle();

    PaintCounter counter;
    qApp->installEventFilter(&counter);
    for (int i = 0; i < 1000; ++i) {
        bench.tick();
        QCoreApplication::processEvents();
    }
    settle();
    const int idlePaints = counter.paints;

    // Switching between two details changes the table code and the drawing at every tick.
    std::vector<double> changing;
    for (int i = 0; i < 400; ++i) {
        const qint16 runs = i % 2 ? 2 : 1;
        bench.state().RunCount = runs;
        bench.state().DetailNumber = runs;
        clock.start();
        bench.tick();
        changing.push_back(double(clock.nsecsElapsed()) / 1000.0);
    }

    // The drawing with the most records costs most to paint.
    DiagramStore::Drawing largest;
    for (int i = 0; i < int(DiagramNumbers.size()); ++i) {
        if (store.at(i) && (!largest || store.at(i)->bytes().size() > largest->bytes().size()))
            largest = store.at(i);
    }
    std::vector<double> repaint;
    if (largest) {
        bench.picture()->setPicture(largest);
        QImage target(bench.picture()->size() * bench.picture()->devicePixelRatio(),
                      QImage::Format_RGB32);
        for (int i = 0; i < 200; ++i) {
            clock.start();
            bench.picture()->render(&target);
            repaint.push_back(double(clock.nsecsElapsed()) / 1000.0);
        }
    }
    qApp->removeEventFilter(&counter);

    std::printf("| measure | value |\n|---|---|\n");
    std::printf("| tick, nothing changed (median of 20000) | %.2f us |\n", median(idle));
    std::printf("| paint events during 1000 unchanged ticks | %d |\n", idlePaints);
    std::printf("| tick changing table code and drawing (median of 400) | %.1f us |\n",
                median(changing));
    if (largest) {
        std::printf(
            "| full repaint of the drawing, largest (%lld bytes), median of 200 | %.0f us |\n",
            qlonglong(largest->bytes().size()),
            median(repaint));
    }
    return 0;
}

// Clicks Aluminum and Copper in turn, each time until the list and the window have caught up,
// and prints the resident memory after 400 and after 2400 changes.
int materialChanges()
{
    const DiagramStore store = DiagramStore::embedded();
    Zediz window(store);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    ZedizBench bench{window};
    long after400 = 0;
    for (int change = 1; change <= 2400; ++change) {
        QRadioButton *option = bench.material(change % 2);
        QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(6, option->height() / 2));
        const QString code = composeTableCode(bench.state());
        if (!QTest::qWaitFor([&] { return bench.state().ListedTableCode == code; }, 5000))
            return 1;
        settle();
        if (change == 400)
            after400 = residentKilobytes();
    }
    std::printf("%ld %ld\n", after400, residentKilobytes());
    return 0;
}

// Child modes: show the real or a bare window, report, and quit.
int child(const QString &mode)
{
    if (mode == u"materials")
        return materialChanges();
    const bool bare = mode.startsWith(QStringLiteral("bare"));
    const bool idle = mode.endsWith(QStringLiteral("idle"));
    const DiagramStore store = bare ? DiagramStore() : DiagramStore::embedded();
    std::unique_ptr<QWidget> window;
    std::unique_ptr<ZedizBench> bench;
    QTimer emptyTicks; // the event loop's own cost of waking every 10 ms
    if (bare) {
        window = std::make_unique<QWidget>();
        window->setFixedSize(542, 387);
        if (mode.contains(QStringLiteral("timer"))) {
            QObject::connect(&emptyTicks, &QTimer::timeout, qApp, [] {});
            emptyTicks.start(10);
        }
    } else {
        auto *z = new Zediz(store);
        window.reset(z);
        bench = std::make_unique<ZedizBench>(ZedizBench{*z});
    }
    window->show();
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, qApp, [&] {
        if (!window->windowHandle() || !window->windowHandle()->isExposed())
            return;
        if (bench && !bench->refreshed())
            return;
        poll.stop();
        if (!idle) {
            std::printf("ready\n");
            std::fflush(stdout);
            QCoreApplication::quit();
            return;
        }
        const double before = cpuSeconds();
        QTimer::singleShot(10000, qApp, [before] {
            std::printf("%.4f %ld\n", cpuSeconds() - before, peakKilobytes());
            std::fflush(stdout);
            QCoreApplication::quit();
        });
    });
    poll.start(1);
    return QApplication::exec();
}

QByteArray runChild(const QString &mode, qint64 *elapsedMs)
{
    QProcess process;
    QElapsedTimer clock;
    clock.start();
    process.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--child"), mode});
    process.waitForFinished(60000);
    if (elapsedMs)
        *elapsedMs = clock.elapsed();
    return process.readAllStandardOutput();
}

struct Idle
{
    double cpu = 0;
    long kilobytes = 0;
};

Idle idle(const QString &mode)
{
    std::vector<double> cpu;
    Idle result;
    for (int i = 0; i < 3; ++i) {
        const QList<QByteArray> fields = runChild(mode, nullptr).trimmed().split(' ');
        if (fields.size() != 2)
            return {};
        cpu.push_back(fields[0].toDouble());
        result.kilobytes = std::max(result.kilobytes, fields[1].toLong());
    }
    result.cpu = median(cpu);
    return result;
}

int compareWithBareWindow()
{
    std::vector<double> real, bare;
    for (int i = 0; i < 7; ++i) {
        qint64 ms = 0;
        runChild(QStringLiteral("startup"), &ms);
        real.push_back(double(ms));
        runChild(QStringLiteral("bare-startup"), &ms);
        bare.push_back(double(ms));
    }
    const Idle realIdle = idle(QStringLiteral("idle"));
    const Idle bareIdle = idle(QStringLiteral("bare-idle"));
    const Idle timerIdle = idle(QStringLiteral("bare-timer-idle"));
    if (realIdle.kilobytes == 0 || bareIdle.kilobytes == 0 || timerIdle.kilobytes == 0) {
        std::printf("| idle measurement | failed |\n");
        return 1;
    }
    std::printf("| process start to first complete refresh (median of 7) | %.0f ms (bare window "
                "%.0f ms, ratio %.2f) |\n",
                median(real),
                median(bare),
                median(real) / median(bare));
    std::printf("| CPU while idle for 10 s (median of 3) | %.3f s (bare window %.3f s; bare window "
                "with an empty 10 ms timer %.3f s, ratio %.2f) |\n",
                realIdle.cpu,
                bareIdle.cpu,
                timerIdle.cpu,
                realIdle.cpu / timerIdle.cpu);
    std::printf("| peak resident memory | %ld kB (bare window %ld kB, ratio %.2f) |\n",
                realIdle.kilobytes,
                bareIdle.kilobytes,
                double(realIdle.kilobytes) / double(bareIdle.kilobytes));
    const QList<QByteArray> materials = runChild(QStringLiteral("materials"), nullptr).split(' ');
    if (materials.size() != 2) {
        std::printf("| material changes | failed |\n");
        return 1;
    }
    const long after400 = materials[0].toLong(), after2400 = materials[1].trimmed().toLong();
    std::printf("| resident memory after 400 and after 2400 material changes | %ld kB, %ld kB "
                "(growth %ld kB) |\n",
                after400,
                after2400,
                after2400 - after400);
    std::printf("| cores | %d |\n", QThread::idealThreadCount());
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() >= 3 && args[1] == u"--child")
        return child(args[2]);
    return tickCosts() | compareWithBareWindow();
}
