// Devices uploading their play-log backlogs at once, for bench_fleet_logs: each a TLS MQTT
// link with the device's own certificate, sending its log in batches as the agent does (a few
// batches ahead of the collector's acknowledgement, again from the acknowledged cursor when
// nothing moves for a while), until every row is acknowledged.
//
// log_publisher --port P --devices FOLDER --rows N [--batch B] [--window W] [--limit SECONDS] DEVICE...
// FOLDER/<device>/fleet/{ca.crt,device.crt,device.key} as "lumora-fleet join" writes them.

#include "fleet/mqttlink.h"
#include "fleetlog/logbatch.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTimer>

#include <cstdio>
#include <memory>
#include <vector>

namespace {

const qint64 Base = 1796083200000LL; // 2026-12-01 00:00 UTC

struct Device
{
    QString name;
    MqttLink *link = nullptr;
    QUuid log;
    QVector<QByteArray> batches;
    QVector<qint64> upTo;
    qint64 acked = 0;
    int next = 0;
    qint64 lastProgressMs = 0;
    bool done = false;
};

int ackedBatches(const Device &d)
{
    int n = 0;
    while (n < d.upTo.size() && d.upTo.at(n) <= d.acked)
        ++n;
    return n;
}

QVector<QByteArray> makeBatches(const QUuid &log, int deviceIndex, qint64 rows, int batchRows,
                                QVector<qint64> *upTo)
{
    QVector<QByteArray> out;
    for (qint64 after = 0; after < rows; after += batchRows) {
        LogBatch batch;
        batch.groups = QStringList{QStringLiteral("bench"), QStringLiteral("g%1").arg(deviceIndex % 5)};
        batch.timeZone =
            deviceIndex % 2 ? QStringLiteral("America/New_York") : QStringLiteral("Europe/Berlin");
        batch.log = log;
        batch.after = after;
        batch.upTo = qMin(rows, after + batchRows);
        for (qint64 seq = after + 1; seq <= batch.upTo; ++seq) {
            LogRow row;
            row.seq = seq;
            const int item = int(seq % 13);
            row.name = item == 12 ? QStringLiteral("Digital Clock") : QStringLiteral("ad-%1.mp4").arg(item);
            row.path = item == 12 ? QString() : QStringLiteral("/srv/media/ad-%1.mp4").arg(item);
            row.startMs = Base + seq * 10000;
            row.endMs = row.startMs + 9500;
            row.offsetSeconds = deviceIndex % 2 ? -18000 : 3600;
            row.screen = QStringLiteral("Screen 1");
            row.window = QStringLiteral("Window 1");
            row.bundle = 42;
            row.hash = item == 12 ? QString() : QStringLiteral("%1").arg(item, 64, 16, QLatin1Char('0'));
            row.outcome = seq % 97 == 0 ? QStringLiteral("missing") : QStringLiteral("shown");
            row.shownMs = seq % 97 == 0 ? 0 : 9500;
            batch.rows.append(row);
        }
        out.append(batch.encode());
        upTo->append(batch.upTo);
    }
    return out;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    auto take = [&args](const QString &name, const QString &fallback) {
        const int at = args.indexOf(name);
        if (at < 0 || at + 1 >= args.size())
            return fallback;
        const QString value = args.at(at + 1);
        args.removeAt(at + 1);
        args.removeAt(at);
        return value;
    };
    const quint16 port = quint16(take(QStringLiteral("--port"), QStringLiteral("0")).toInt());
    const QString folder = take(QStringLiteral("--devices"), QString());
    const qint64 rows = take(QStringLiteral("--rows"), QStringLiteral("60480")).toLongLong();
    const int batchRows = take(QStringLiteral("--batch"), QStringLiteral("2000")).toInt();
    const int window = take(QStringLiteral("--window"), QStringLiteral("4")).toInt();
    const int limitSeconds = take(QStringLiteral("--limit"), QStringLiteral("1800")).toInt();
    if (port == 0 || folder.isEmpty() || args.isEmpty() || batchRows <= 0 || batchRows > LogBatch::MaxRows) {
        std::fprintf(stderr,
                     "usage: log_publisher --port P --devices FOLDER --rows N [--batch B] [--window W] "
                     "[--limit SECONDS] DEVICE...\n");
        return 2;
    }

    QElapsedTimer clock;
    clock.start();
    std::vector<std::unique_ptr<Device>> devices;
    qint64 payloadBytes = 0;
    for (int i = 0; i < args.size(); ++i) {
        auto d = std::make_unique<Device>();
        d->name = args.at(i);
        d->log = QUuid::createUuid();
        d->batches = makeBatches(d->log, i, rows, batchRows, &d->upTo);
        for (const QByteArray &b : qAsConst(d->batches))
            payloadBytes += b.size();
        devices.push_back(std::move(d));
    }
    std::printf("publisher: %d devices x %lld rows in %d-row batches made in %.1f s (%.1f MiB compressed)\n",
                int(devices.size()), rows, batchRows, clock.elapsed() / 1000.0, payloadBytes / 1048576.0);
    std::fflush(stdout);

    bool started = false;
    QElapsedTimer run;
    auto pump = [&](Device &d) {
        if (!started || d.done)
            return;
        const int base = ackedBatches(d);
        if (d.next < base)
            d.next = base;
        while (d.next < d.batches.size() && d.next - base < window) {
            if (d.link->publish(QStringLiteral("lumora/v1/dev/%1/log").arg(d.name), d.batches.at(d.next), 1,
                                false) < 0)
                return;
            ++d.next;
        }
    };
    int finished = 0;
    for (auto &owned : devices) {
        Device *d = owned.get();
        const QString fleet = folder + QLatin1Char('/') + d->name + QStringLiteral("/fleet/");
        MqttSettings settings;
        settings.port = port;
        settings.clientId = d->name;
        settings.caFile = fleet + QStringLiteral("ca.crt");
        settings.certFile = fleet + QStringLiteral("device.crt");
        settings.keyFile = fleet + QStringLiteral("device.key");
        d->link = new MqttLink(&app);
        d->link->setSettings(settings);
        d->link->subscribe(QStringLiteral("lumora/v1/dev/%1/logack").arg(d->name));
        QObject::connect(
            d->link, &MqttLink::messageReceived, [&, d](const QString &, const QByteArray &payload, bool) {
                const QJsonObject logs =
                    QJsonDocument::fromJson(payload).object().value(QStringLiteral("logs")).toObject();
                const qint64 acked = qint64(logs.value(d->log.toString(QUuid::WithoutBraces)).toDouble());
                if (acked > d->acked) {
                    d->acked = acked;
                    d->lastProgressMs = run.isValid() ? run.elapsed() : 0;
                }
                if (!d->done && d->acked >= rows) {
                    d->done = true;
                    if (++finished == int(devices.size())) {
                        std::printf("publisher: all %lld rows acknowledged %.2f s after the start\n",
                                    qint64(devices.size()) * rows, run.elapsed() / 1000.0);
                        std::fflush(stdout);
                        QCoreApplication::exit(0);
                    }
                }
                pump(*d);
            });
        QObject::connect(d->link, &MqttLink::connected, [&, d] { pump(*d); });
        d->link->start();
    }
    // All connected (and subscribed: a retained ack of an earlier run is not theirs) before the
    // backlogs go out at once.
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (!started) {
            for (auto &d : devices) {
                if (!d->link->isConnected())
                    return;
            }
            started = true;
            run.start();
            std::printf("publisher: start\n");
            std::fflush(stdout);
            for (auto &d : devices)
                pump(*d);
            return;
        }
        if (run.elapsed() > qint64(limitSeconds) * 1000) {
            std::printf("publisher: gave up after %d s with %d of %d devices done\n", limitSeconds, finished,
                        int(devices.size()));
            QCoreApplication::exit(1);
        }
        // Nothing acknowledged for a while: the agent's resend from the cursor.
        for (auto &d : devices) {
            if (!d->done && run.elapsed() - d->lastProgressMs > 60000) {
                d->next = ackedBatches(*d);
                d->lastProgressMs = run.elapsed();
                pump(*d);
            }
        }
    });
    watch.start(200);
    QTimer::singleShot(qint64(limitSeconds + 120) * 1000, &app, [] { QCoreApplication::exit(1); });
    return QCoreApplication::exec();
}
