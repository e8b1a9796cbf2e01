// lumora-fleet: the operator's tool for a fleet of Lumora players, and the device's import of
// its enrolment.

#include "fleet/bundlebuilder.h"
#include "fleet/fleetca.h"
#include "fleet/fleetcollector.h"
#include "fleet/fleetconfig.h"
#include "fleet/fleetoperator.h"
#include "fleet/fleettopics.h"
#include "fleet/mqttlink.h"
#include "import/officecache.h"
#include "platform/applocations.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QSettings>
#include <QSocketNotifier>
#include <QTimeZone>
#include <QTimer>
#include <QUuid>

#include <csignal>
#include <cstdio>
#include <functional>
#include <sys/socket.h>
#include <unistd.h>

namespace {

const char *const kUsage = "usage: lumora-fleet [--ca FOLDER] COMMAND ...\n"
                           "  ca init --broker mqtts://HOST:PORT --content https://HOST:PORT/PATH/ "
                           "[--content-folder DIR] [--days N]\n"
                           "  ca server NAME --address ADDRESS... [--out PREFIX] [--days N]\n"
                           "  ca collector [--out PREFIX] [--days N]\n"
                           "  enroll NAME [--groups G1,G2] [--out FILE] [--acl FILE] [--days N]\n"
                           "  join FILE [--config SETTINGS]                       (on the device)\n"
                           "  publish SCHEME.schx --to GROUP|DEVICE [--at TIME] [--wait SECONDS]\n"
                           "  cancel GROUP|DEVICE\n"
                           "  devices\n"
                           "  status DEVICE\n"
                           "  screenshot DEVICE OUT.jpg\n"
                           "  command GROUP|DEVICE identify|restart|collect\n"
                           "  remove DEVICE [--acl FILE]\n"
                           "  collect --db postgresql://... [--broker mqtts://HOST:PORT] [--cafile FILE] "
                           "[--cert FILE] [--key FILE] [--client-id ID] [--workers N]\n"
                           "The CA folder is ~/.local/share/Lumora/fleet-ca unless --ca names another.\n";

int fail(const QString &text, int status = 1)
{
    std::fprintf(stderr, "lumora-fleet: %s\n", qPrintable(text));
    return status;
}

void say(const QString &text)
{
    std::fprintf(stdout, "%s\n", text.toLocal8Bit().constData());
    std::fflush(stdout);
}

// Runs the event loop until `done` holds or `ms` pass; whether it held.
bool waitUntil(const std::function<bool()> &done, int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() >= ms)
            return false;
        QEventLoop loop;
        QTimer::singleShot(50, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return true;
}

// Takes "--name value" out of `args`; empty when absent.
QString option(QStringList &args, const QString &name, const QString &fallback = QString())
{
    const int at = args.indexOf(name);
    if (at < 0 || at + 1 >= args.size())
        return fallback;
    const QString value = args.at(at + 1);
    args.removeAt(at + 1);
    args.removeAt(at);
    return value;
}

QStringList options(QStringList &args, const QString &name)
{
    QStringList values;
    for (QString value = option(args, name); !value.isEmpty(); value = option(args, name))
        values.append(value);
    return values;
}

bool writeFile(const QString &path, const QByteArray &bytes, bool secret)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return false;
    QFile::setPermissions(path, secret ? QFile::ReadOwner | QFile::WriteOwner
                                       : QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                             QFile::ReadOther);
    return true;
}

QByteArray readFile(const QString &path, qint64 limit = 16 * 1024 * 1024)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.read(limit) : QByteArray();
}

// A time of a device as its operator reads it: in the device's own zone, and here.
QString deviceTime(const QString &utc, const QString &zone)
{
    const QDateTime at = QDateTime::fromString(utc, Qt::ISODateWithMs);
    if (!at.isValid())
        return QStringLiteral("-");
    const QTimeZone deviceZone(zone.toUtf8());
    const QString there = deviceZone.isValid()
                              ? at.toTimeZone(deviceZone).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) +
                                    QLatin1Char(' ') + zone
                              : at.toUTC().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss 'UTC'"));
    return QStringLiteral("%1 (%2 here)")
        .arg(there, at.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
}

// The device's last dark-screen event, as a tail of its line in `devices`; "" when it had none.
QString lastDarkEvent(const QJsonObject &state)
{
    const QJsonArray events = state.value(QStringLiteral("darkEvents")).toArray();
    if (events.isEmpty())
        return QString();
    const QJsonObject last = events.last().toObject();
    QString where = last.value(QStringLiteral("screen")).toString() + QLatin1Char('/') +
                    last.value(QStringLiteral("window")).toString();
    const QString item = last.value(QStringLiteral("item")).toString();
    if (!item.isEmpty())
        where += QLatin1Char(' ') + item;
    return QStringLiteral("  last dark: %1 %2 at %3, %4%5")
        .arg(last.value(QStringLiteral("kind")).toString(), where,
             deviceTime(last.value(QStringLiteral("at")).toString(),
                        state.value(QStringLiteral("timeZone")).toString()),
             last.value(QStringLiteral("mended")).toBool() ? QStringLiteral("mended")
                                                           : QStringLiteral("not mended"),
             last.value(QStringLiteral("detail")).toString().isEmpty()
                 ? QString()
                 : QStringLiteral(" (") + last.value(QStringLiteral("detail")).toString() + QLatin1Char(')'));
}

int caInit(const QString &folder, QStringList args)
{
    const QUrl broker(option(args, QStringLiteral("--broker")));
    const QUrl content(option(args, QStringLiteral("--content")));
    const QString contentFolder = option(args, QStringLiteral("--content-folder"));
    const int days = option(args, QStringLiteral("--days"), QStringLiteral("3650")).toInt();
    if (broker.scheme() != QLatin1String("mqtts") || content.scheme() != QLatin1String("https"))
        return fail(QStringLiteral("ca init needs --broker mqtts://... and --content https://..."), 2);
    FleetCa ca(folder);
    QString error;
    if (!ca.init(QStringLiteral("Lumora fleet CA"), days, &error))
        return fail(error);
    FleetCa::Issued issued;
    if (!ca.issueClient(QStringLiteral("operator"), days, &issued, &error) ||
        !writeFile(folder + QStringLiteral("/operator-tls.crt"), issued.certificatePem, false) ||
        !writeFile(folder + QStringLiteral("/operator-tls.key"), issued.keyPem, true))
        return fail(error.isEmpty() ? QStringLiteral("cannot write the operator's certificate") : error);
    if (!FleetOperator::writeSettings(folder, broker, content, contentFolder, &error))
        return fail(error);
    say(QStringLiteral(
            "A fleet CA is in %1: ca.crt and crl.pem for the broker and the content server, operator.key "
            "signs the bundles. Make their certificates with \"lumora-fleet ca server\".")
            .arg(folder));
    return 0;
}

int caServer(const QString &folder, QStringList args)
{
    const QStringList addresses = options(args, QStringLiteral("--address"));
    const int days = option(args, QStringLiteral("--days"), QStringLiteral("825")).toInt();
    QString out = option(args, QStringLiteral("--out"));
    if (args.isEmpty() || addresses.isEmpty())
        return fail(QStringLiteral("ca server needs a NAME and at least one --address"), 2);
    if (out.isEmpty())
        out = folder + QLatin1Char('/') + args.first();
    FleetCa ca(folder);
    QString error;
    FleetCa::Issued issued;
    // The shipped configurations name crl.pem beside ca.crt: a CA made before it kept one
    // gets it here, when its servers are set up.
    if (!ca.load(&error) || !ca.ensureRevocationList(&error) ||
        !ca.issueServer(args.first(), addresses, days, &issued, &error))
        return fail(error);
    if (!writeFile(out + QStringLiteral(".crt"), issued.certificatePem, false) ||
        !writeFile(out + QStringLiteral(".key"), issued.keyPem, true))
        return fail(QStringLiteral("cannot write %1.crt/.key").arg(out));
    say(QStringLiteral("%1.crt and %1.key").arg(out));
    return 0;
}

// The collector's certificate (CN=collector): the broker's ACL gives that user the devices'
// play-log uploads and their acknowledgements, nothing else.
int caCollector(const QString &folder, QStringList args)
{
    const int days = option(args, QStringLiteral("--days"), QStringLiteral("825")).toInt();
    QString out = option(args, QStringLiteral("--out"));
    if (!args.isEmpty())
        return fail(QStringLiteral("ca collector takes no %1").arg(args.first()), 2);
    if (out.isEmpty())
        out = folder + QStringLiteral("/collector");
    FleetCa ca(folder);
    QString error;
    FleetCa::Issued issued;
    if (!ca.load(&error) || !ca.issueClient(QStringLiteral("collector"), days, &issued, &error))
        return fail(error);
    if (!writeFile(out + QStringLiteral(".crt"), issued.certificatePem, false) ||
        !writeFile(out + QStringLiteral(".key"), issued.keyPem, true))
        return fail(QStringLiteral("cannot write %1.crt/.key").arg(out));
    say(QStringLiteral("%1.crt and %1.key (CN=collector); the broker's ACL needs the section\n"
                       "user collector\ntopic read %2/dev/+/log\ntopic write %2/dev/+/logack")
            .arg(out, FleetTopics::prefix()));
    return 0;
}

int enroll(const QString &folder, QStringList args)
{
    const QStringList groups =
        option(args, QStringLiteral("--groups")).split(QLatin1Char(','), Qt::SkipEmptyParts);
    const QString acl = option(args, QStringLiteral("--acl"));
    const int days = option(args, QStringLiteral("--days"), QStringLiteral("825")).toInt();
    QString out = option(args, QStringLiteral("--out"));
    if (args.size() != 1)
        return fail(QStringLiteral("enroll needs one device NAME"), 2);
    const QString name = args.first();
    if (!FleetTopics::isValidName(name) || name == QLatin1String("operator") ||
        name.startsWith(QLatin1String("operator-")) || name == QLatin1String("collector"))
        return fail(QStringLiteral("\"%1\" cannot be a device name (letters, digits, - _ . only)").arg(name),
                    2);
    for (const QString &group : groups) {
        if (!FleetTopics::isValidName(group))
            return fail(QStringLiteral("\"%1\" cannot be a group name").arg(group), 2);
    }
    FleetOperator op(folder);
    FleetCa ca(folder);
    QString error;
    if (!op.load(&error) || !ca.load(&error))
        return fail(error);
    FleetCa::Issued issued;
    if (!ca.issueClient(name, days, &issued, &error))
        return fail(error);
    const QJsonObject enrolment{
        {QStringLiteral("format"), 1},
        {QStringLiteral("device"), name},
        {QStringLiteral("groups"), QJsonArray::fromStringList(groups)},
        {QStringLiteral("broker"), op.broker().toString()},
        {QStringLiteral("content"), op.content().toString()},
        {QStringLiteral("ca"), QString::fromLatin1(ca.caCertificatePem())},
        {QStringLiteral("certificate"), QString::fromLatin1(issued.certificatePem)},
        {QStringLiteral("key"), QString::fromLatin1(issued.keyPem)},
        {QStringLiteral("operatorKey"), QString::fromLatin1(op.signingKey().publicPem())},
    };
    if (out.isEmpty())
        out = name + QStringLiteral(".lumora-device");
    if (!writeFile(out, QJsonDocument(enrolment).toJson(), true))
        return fail(QStringLiteral("cannot write %1").arg(out));
    QStringList serials;
    for (const FleetOperator::Device &known : op.devices()) {
        if (known.name == name)
            serials = known.serials;
    }
    serials.append(issued.serial);
    if (!op.recordDevice({name, groups, QDateTime::currentDateTimeUtc(), serials}, &error))
        return fail(error);
    // The broker lets a device read its groups' topics only by name: its own section of the ACL.
    QString lines = QStringLiteral("\n# %1\nuser %1\n").arg(name);
    for (const QString &group : groups)
        lines +=
            QStringLiteral("topic read %1/#\n").arg(FleetTopics::prefix() + QStringLiteral("/grp/") + group);
    if (!acl.isEmpty()) {
        QFile file(acl);
        if (!file.open(QIODevice::Append) || file.write(lines.toUtf8()) < 0)
            return fail(QStringLiteral("cannot add the device to %1").arg(acl));
        say(QStringLiteral("%1 now names %2; have the broker read it again (kill -HUP).").arg(acl, name));
    } else if (!groups.isEmpty()) {
        say(QStringLiteral("Add to the broker's ACL file:%1").arg(lines));
    }
    say(QStringLiteral("%1 holds %2's certificate and key: carry it to the device and run \"lumora-fleet "
                       "join %1\" there.")
            .arg(out, name));
    return 0;
}

int join(QStringList args)
{
    const QString settingsFile = option(args, QStringLiteral("--config"), AppLocations::settingsFile());
    if (args.size() != 1)
        return fail(QStringLiteral("join needs the enrolment FILE"), 2);
    const QJsonObject enrolment = QJsonDocument::fromJson(readFile(args.first(), 1024 * 1024)).object();
    if (enrolment.value(QStringLiteral("format")).toInt() != 1)
        return fail(QStringLiteral("%1 is no Lumora enrolment file").arg(args.first()));
    FleetConfig config;
    config.device = enrolment.value(QStringLiteral("device")).toString();
    for (const QJsonValue &group : enrolment.value(QStringLiteral("groups")).toArray())
        config.groups.append(group.toString());
    config.broker = QUrl(enrolment.value(QStringLiteral("broker")).toString());
    config.content = QUrl(enrolment.value(QStringLiteral("content")).toString());
    const QString folder = QFileInfo(settingsFile).absolutePath() + QStringLiteral("/fleet");
    if (!QDir().mkpath(folder))
        return fail(QStringLiteral("cannot make %1").arg(folder));
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    struct Part
    {
        const char *key;
        const char *file;
        bool secret;
        QString *into;
    } parts[] = {{"ca", "ca.crt", false, &config.caCertificate},
                 {"certificate", "device.crt", false, &config.certificate},
                 {"key", "device.key", true, &config.key},
                 {"operatorKey", "operator.pub", false, &config.operatorKey}};
    for (const Part &part : parts) {
        const QString path = folder + QLatin1Char('/') + QLatin1String(part.file);
        if (!writeFile(path, enrolment.value(QLatin1String(part.key)).toString().toLatin1(), part.secret))
            return fail(QStringLiteral("cannot write %1").arg(path));
        *part.into = QStringLiteral("fleet/") + QLatin1String(part.file);
    }
    FleetConfig check = config;
    check.caCertificate = folder + QStringLiteral("/ca.crt");
    check.certificate = folder + QStringLiteral("/device.crt");
    check.key = folder + QStringLiteral("/device.key");
    check.operatorKey = folder + QStringLiteral("/operator.pub");
    const QString problem = check.problem();
    if (!problem.isEmpty())
        return fail(problem);
    if (!config.writeTo(settingsFile))
        return fail(QStringLiteral("cannot write %1").arg(settingsFile));
    say(QStringLiteral("This device is %1 of the fleet at %2; the agent starts with the next player start.")
            .arg(config.device, config.broker.toString()));
    return 0;
}

bool connectOperator(FleetOperator &op, QString *error)
{
    if (!op.load(error))
        return false;
    op.connectBroker();
    if (!waitUntil([&op] { return op.link()->isConnected(); }, 15000)) {
        *error = QStringLiteral("the broker %1 does not answer: %2")
                     .arg(op.broker().toString(), op.link()->lastError());
        return false;
    }
    // The retained states and presences come right after the subscriptions; half a second
    // without a message after them means all are in.
    QElapsedTimer quiet;
    quiet.start();
    const QMetaObject::Connection counting =
        QObject::connect(op.link(), &MqttLink::messageReceived, [&quiet] { quiet.restart(); });
    waitUntil([&quiet] { return quiet.elapsed() >= 500; }, 5000);
    QObject::disconnect(counting);
    return true;
}

int publish(const QString &folder, QStringList args)
{
    const QString target = option(args, QStringLiteral("--to"));
    const QString atText = option(args, QStringLiteral("--at"));
    const int waitSeconds = option(args, QStringLiteral("--wait"), QStringLiteral("0")).toInt();
    if (args.size() != 1 || target.isEmpty())
        return fail(QStringLiteral("publish needs SCHEME.schx and --to GROUP|DEVICE"), 2);
    QDateTime at;
    if (!atText.isEmpty()) {
        at = QDateTime::fromString(atText, Qt::ISODate);
        if (!at.isValid())
            return fail(QStringLiteral("--at %1 is no ISO 8601 time (2026-12-24T18:00:00+01:00)").arg(atText),
                        2);
        at = at.toUTC();
    }
    FleetOperator op(folder);
    QString error;
    if (!op.load(&error))
        return fail(error);
    bool isGroup = false;
    const QStringList devices = op.devicesOf(target, &isGroup);
    if (devices.isEmpty())
        return fail(QStringLiteral("no enrolled device or group is named %1").arg(target));
    BundleBuilder bundle;
    if (!bundle.build(args.first(), OfficeCache::defaultDirectory(), &error))
        return fail(error);
    BundleManifest manifest = bundle.manifest();
    manifest.sequence = op.nextSequence();
    manifest.switchAt = at;
    say(QStringLiteral("bundle %1: %2 files, %3 bytes")
            .arg(manifest.sequence)
            .arg(manifest.files.size())
            .arg(manifest.totalSize()));
    bool uploaded = false;
    QString uploadError;
    op.upload(
        bundle, [](qint64, qint64) {},
        [&uploaded, &uploadError](const QString &e) {
            uploadError = e;
            uploaded = true;
        });
    waitUntil([&uploaded] { return uploaded; }, 24 * 3600 * 1000);
    if (!uploadError.isEmpty())
        return fail(uploadError);
    SignedManifest signedManifest;
    if (!op.sign(manifest, &signedManifest))
        return fail(QStringLiteral("the bundle could not be signed"));
    if (!connectOperator(op, &error))
        return fail(error);
    int acknowledged = -1;
    QObject::connect(op.link(), &MqttLink::published, [&acknowledged](int id) { acknowledged = id; });
    const int id = op.setDesired(target, isGroup, signedManifest);
    if (id < 0 || !waitUntil([&acknowledged, id] { return acknowledged == id; }, 30000))
        return fail(QStringLiteral("the broker did not take the desired state"));
    say(QStringLiteral("published to %1 %2 (%3)")
            .arg(isGroup ? QStringLiteral("group") : QStringLiteral("device"), target,
                 devices.join(QStringLiteral(", "))));
    if (waitSeconds <= 0)
        return 0;
    QHash<QString, QString> reported;
    const bool all = waitUntil(
        [&] {
            bool done = true;
            for (const QString &device : devices) {
                const QJsonObject state = op.stateOf(device);
                const qint64 active = qint64(state.value(QStringLiteral("active"))
                                                 .toObject()
                                                 .value(QStringLiteral("sequence"))
                                                 .toDouble());
                const QJsonObject staged = state.value(QStringLiteral("staged")).toObject();
                QString line;
                if (active == manifest.sequence)
                    line = QStringLiteral("active");
                else if (qint64(staged.value(QStringLiteral("sequence")).toDouble()) == manifest.sequence)
                    line = QStringLiteral("%1 of %2 bytes")
                               .arg(qint64(staged.value(QStringLiteral("bytesDone")).toDouble()))
                               .arg(qint64(staged.value(QStringLiteral("bytesTotal")).toDouble()));
                else if (qint64(state.value(QStringLiteral("lastRefusal"))
                                    .toObject()
                                    .value(QStringLiteral("sequence"))
                                    .toDouble()) == manifest.sequence)
                    line = QStringLiteral("refused: ") + state.value(QStringLiteral("lastRefusal"))
                                                             .toObject()
                                                             .value(QStringLiteral("reason"))
                                                             .toString();
                else if (qint64(state.value(QStringLiteral("cancelled"))
                                    .toObject()
                                    .value(QStringLiteral("sequence"))
                                    .toDouble()) == manifest.sequence)
                    line = QStringLiteral("cancelled: ") + state.value(QStringLiteral("cancelled"))
                                                               .toObject()
                                                               .value(QStringLiteral("reason"))
                                                               .toString();
                else
                    line = QStringLiteral("waiting");
                if (reported.value(device) != line) {
                    reported.insert(device, line);
                    say(QStringLiteral("%1: %2").arg(device, line));
                }
                if (line != QLatin1String("active") && !line.startsWith(QLatin1String("refused")) &&
                    !line.startsWith(QLatin1String("cancelled")))
                    done = false;
            }
            return done;
        },
        waitSeconds * 1000);
    for (const QString &device : devices) {
        if (reported.value(device) != QLatin1String("active"))
            return fail(
                all ? QStringLiteral("not every device took the bundle")
                    : QStringLiteral("not every device had the bundle active within %1 s").arg(waitSeconds));
    }
    return 0;
}

int devicesCommand(const QString &folder)
{
    FleetOperator op(folder);
    QString error;
    if (!connectOperator(op, &error))
        return fail(error);
    for (const QString &device : op.seenDevices()) {
        const QJsonObject state = op.stateOf(device);
        const QString presence =
            op.presenceOf(device).isEmpty() ? QStringLiteral("never seen") : op.presenceOf(device);
        const QJsonObject active = state.value(QStringLiteral("active")).toObject();
        QStringList playing;
        for (const QJsonValue &value : state.value(QStringLiteral("playing")).toArray()) {
            const QJsonObject window = value.toObject();
            playing.append(window.value(QStringLiteral("window")).toString() + QLatin1Char('=') +
                           window.value(QStringLiteral("item")).toString());
        }
        const QString lastError =
            state.value(QStringLiteral("lastError")).toObject().value(QStringLiteral("text")).toString();
        say(QStringLiteral("%1%2  %3  bundle %4  playing %5  last seen %6%7%8")
                .arg(state.value(QStringLiteral("dark")).toBool() ? QStringLiteral("DARK ") : QString(),
                     device, presence,
                     active.isEmpty()
                         ? QStringLiteral("-")
                         : QString::number(qint64(active.value(QStringLiteral("sequence")).toDouble())),
                     playing.isEmpty() ? QStringLiteral("-") : playing.join(QStringLiteral(", ")),
                     deviceTime(state.value(QStringLiteral("time")).toString(),
                                state.value(QStringLiteral("timeZone")).toString()),
                     lastError.isEmpty() ? QString() : QStringLiteral("  error: ") + lastError,
                     lastDarkEvent(state)));
    }
    return 0;
}

int status(const QString &folder, const QStringList &args)
{
    if (args.size() != 1)
        return fail(QStringLiteral("status needs one DEVICE"), 2);
    FleetOperator op(folder);
    QString error;
    if (!connectOperator(op, &error))
        return fail(error);
    QJsonObject state = op.stateOf(args.first());
    if (state.isEmpty() && op.presenceOf(args.first()).isEmpty())
        return fail(QStringLiteral("%1 has never reported").arg(args.first()));
    state.insert(QStringLiteral("presence"), op.presenceOf(args.first()));
    say(QString::fromUtf8(QJsonDocument(state).toJson(QJsonDocument::Indented)).trimmed());
    return 0;
}

// Sends a command and waits for the device's answer to it.
bool command(FleetOperator &op, const QString &target, bool isGroup, const QString &name, QJsonObject *reply)
{
    const QString id = QUuid::createUuid().toString(QUuid::WithoutBraces);
    bool got = false;
    QObject::connect(&op, &FleetOperator::replyReceived, [&](const QString &, const QJsonObject &answer) {
        if (answer.value(QStringLiteral("id")).toString() == id) {
            *reply = answer;
            got = true;
        }
    });
    op.sendCommand(target, isGroup, name, id, 60);
    return isGroup || waitUntil([&got] { return got; }, 30000);
}

int screenshot(const QString &folder, const QStringList &args)
{
    if (args.size() != 2)
        return fail(QStringLiteral("screenshot needs DEVICE and OUT.jpg"), 2);
    FleetOperator op(folder);
    QString error;
    if (!connectOperator(op, &error))
        return fail(error);
    const QByteArray before = op.screenshotOf(args.first());
    QJsonObject reply;
    if (!command(op, args.first(), false, QStringLiteral("screenshot"), &reply))
        return fail(QStringLiteral("%1 did not answer").arg(args.first()));
    if (reply.value(QStringLiteral("status")).toString() != QLatin1String("ok"))
        return fail(
            QStringLiteral("%1: %2").arg(args.first(), reply.value(QStringLiteral("error")).toString()));
    if (reply.contains(QStringLiteral("warning")))
        say(QStringLiteral("%1: %2").arg(args.first(), reply.value(QStringLiteral("warning")).toString()));
    // The picture is retained on its own topic; the answer comes after it was sent.
    waitUntil([&] { return op.screenshotOf(args.first()) != before; }, 10000);
    if (!writeFile(args.at(1), op.screenshotOf(args.first()), false))
        return fail(QStringLiteral("cannot write %1").arg(args.at(1)));
    return 0;
}

int commandCommand(const QString &folder, const QStringList &args)
{
    if (args.size() != 2 ||
        (args.at(1) != QLatin1String("identify") && args.at(1) != QLatin1String("restart") &&
         args.at(1) != QLatin1String("collect")))
        return fail(QStringLiteral("command needs GROUP|DEVICE and identify, restart or collect"), 2);
    FleetOperator op(folder);
    QString error;
    if (!connectOperator(op, &error))
        return fail(error);
    bool isGroup = false;
    if (op.devicesOf(args.first(), &isGroup).isEmpty())
        return fail(QStringLiteral("no enrolled device or group is named %1").arg(args.first()));
    QJsonObject reply;
    if (!command(op, args.first(), isGroup, args.at(1), &reply))
        return fail(QStringLiteral("%1 did not answer").arg(args.first()));
    if (!isGroup && reply.value(QStringLiteral("status")).toString() != QLatin1String("ok"))
        return fail(
            QStringLiteral("%1: %2").arg(args.first(), reply.value(QStringLiteral("error")).toString()));
    return 0;
}

// The device's sections of a mosquitto ACL file as enrol wrote them ("# NAME", "user NAME" and
// its topic lines) taken out; the file rewritten whole only when it named the device.
bool removeAclSection(const QString &path, const QString &device, bool *found, QString *error)
{
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read %1: %2").arg(path, in.errorString());
        return false;
    }
    QStringList lines = QString::fromUtf8(in.readAll()).split(QLatin1Char('\n'));
    in.close();
    const QString user = QStringLiteral("user ") + device;
    *found = false;
    for (int at = lines.indexOf(user); at >= 0; at = lines.indexOf(user)) {
        *found = true;
        int end = at + 1;
        while (end < lines.size() && !lines.at(end).startsWith(QLatin1String("user ")) &&
               !lines.at(end).startsWith(QLatin1String("pattern ")))
            ++end;
        // Blank lines and comments just above the next section head that section.
        while (end > at + 1 && (lines.at(end - 1).trimmed().isEmpty() || lines.at(end - 1).startsWith('#')))
            --end;
        int begin = at;
        if (begin > 0 && lines.at(begin - 1) == QStringLiteral("# ") + device)
            --begin;
        if (begin > 0 && lines.at(begin - 1).trimmed().isEmpty())
            --begin;
        lines.erase(lines.begin() + begin, lines.begin() + end);
    }
    if (!*found)
        return true;
    // Whole or not at all: the broker may read it again at any moment.
    QSaveFile out(path);
    const QByteArray text = lines.join(QLatin1Char('\n')).toUtf8();
    if (!out.open(QIODevice::WriteOnly) || out.write(text) != text.size() || !out.commit()) {
        *error = QStringLiteral("cannot write %1: %2").arg(path, out.errorString());
        return false;
    }
    return true;
}

int cancelOrRemove(const QString &folder, QStringList args, bool remove)
{
    const QString acl = remove ? option(args, QStringLiteral("--acl")) : QString();
    if (args.size() != 1)
        return fail(QStringLiteral("needs one name"), 2);
    FleetOperator op(folder);
    QString error;
    QStringList revoked;
    bool inAcl = false;
    if (remove) {
        // Before the broker is asked anything: a stolen device must lose its access even while
        // the broker cannot be reached, and doing it again changes nothing.
        if (!FleetOperator::revokeDevice(folder, args.first(), &revoked, &error))
            return fail(error);
        if (!acl.isEmpty() && !removeAclSection(acl, args.first(), &inAcl, &error))
            return fail(error);
    }
    if (!connectOperator(op, &error))
        return fail(error);
    bool isGroup = false;
    if (op.devicesOf(args.first(), &isGroup).isEmpty() && !remove)
        return fail(QStringLiteral("no enrolled device or group is named %1").arg(args.first()));
    int last = -1;
    QObject::connect(op.link(), &MqttLink::published, [&last](int id) { last = id; });
    const int id = remove ? op.clearDevice(args.first()) : op.cancelPublish(args.first(), isGroup);
    if (id < 0 || !waitUntil([&last, id] { return last == id; }, 30000))
        return fail(QStringLiteral("the broker did not take the change"));
    if (remove) {
        op.forgetDevice(args.first());
        const QString crl = folder + QStringLiteral("/crl.pem");
        if (revoked.isEmpty())
            say(QStringLiteral("%1 is forgotten. This CA folder knows no certificate of it: revoke it by its "
                               "serial number yourself.")
                    .arg(args.first()));
        else
            say(QStringLiteral("%1 is forgotten and its certificate revoked (serial %2) in %3.")
                    .arg(args.first(), revoked.join(QStringLiteral(", ")), crl));
        if (acl.isEmpty())
            say(QStringLiteral("Take its section out of the broker's ACL file (or give --acl FILE)."));
        else if (inAcl)
            say(QStringLiteral("Its section is out of %1.").arg(acl));
        else
            say(QStringLiteral("%1 has no section for it.").arg(acl));
        say(QStringLiteral("Copy %1 to the broker and the content server, beside their ca.crt; restart the "
                           "broker (a kill -HUP has mosquitto 2 read its crlfile again too, but leaves the "
                           "device's open connection up) and have nginx read it again (kill -HUP). Until "
                           "then they still let the device in.")
                .arg(crl));
    } else {
        say(QStringLiteral("%1 keeps what it plays, drops a bundle still on its way and takes no new bundle "
                           "until the next publish.")
                .arg(args.first()));
    }
    return 0;
}

// SIGTERM and SIGINT end the collector in order (a clean disconnect) through a socket pair the
// event loop watches: nothing but write() is safe in a signal handler.
int signalPipe[2] = {-1, -1};

void onSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
}

int collect(const QString &folder, QStringList args)
{
    const QString db = option(args, QStringLiteral("--db"));
    QString broker = option(args, QStringLiteral("--broker"));
    const QString caFile = option(args, QStringLiteral("--cafile"), folder + QStringLiteral("/ca.crt"));
    const QString cert = option(args, QStringLiteral("--cert"), folder + QStringLiteral("/collector.crt"));
    const QString key = option(args, QStringLiteral("--key"), folder + QStringLiteral("/collector.key"));
    const QString clientId = option(args, QStringLiteral("--client-id"), QStringLiteral("collector"));
    bool workersOk = false;
    const int workers = option(args, QStringLiteral("--workers"), QStringLiteral("2")).toInt(&workersOk);
    if (db.isEmpty() || !args.isEmpty() || !workersOk || workers < 1 || workers > 16)
        return fail(QStringLiteral("collect needs --db postgresql://... (and --workers 1 to 16)"), 2);
    if (broker.isEmpty())
        broker = QSettings(folder + QStringLiteral("/operator.ini"), QSettings::IniFormat)
                     .value(QStringLiteral("Operator/Broker"))
                     .toString();
    const QUrl brokerUrl(broker);
    if (brokerUrl.scheme() != QLatin1String("mqtts") || brokerUrl.host().isEmpty())
        return fail(
            QStringLiteral("collect needs --broker mqtts://HOST:PORT (or the CA folder's operator.ini)"), 2);
    for (const QString &file : {caFile, cert, key}) {
        if (!QFileInfo(file).isReadable())
            return fail(
                QStringLiteral("cannot read %1 (lumora-fleet ca collector makes the certificate)").arg(file));
    }
    MqttSettings settings;
    settings.host = brokerUrl.host();
    settings.port = quint16(brokerUrl.port(8883));
    settings.clientId = clientId;
    settings.caFile = caFile;
    settings.certFile = cert;
    settings.keyFile = key;
    settings.persistentSession = true;
    FleetCollector collector(settings, db, workers);
    QString error;
    if (!collector.start(&error))
        return fail(error);
    say(QStringLiteral("collecting play logs from %1 into the store").arg(brokerUrl.toString()));
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, signalPipe) == 0) {
        auto *notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &collector);
        QObject::connect(notifier, &QSocketNotifier::activated, &collector, [&collector] {
            collector.stop();
            QCoreApplication::quit();
        });
        std::signal(SIGTERM, onSignal);
        std::signal(SIGINT, onSignal);
    }
    return QCoreApplication::exec() == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("lumora-fleet"));
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty() || args.contains(QStringLiteral("--help")) || args.contains(QStringLiteral("-h"))) {
        std::fputs(kUsage, args.isEmpty() ? stderr : stdout);
        return args.isEmpty() ? 2 : 0;
    }
    if (args.contains(QStringLiteral("--version"))) {
        say(QStringLiteral("lumora-fleet " LUMORA_VERSION));
        return 0;
    }
    const QString folder = option(args, QStringLiteral("--ca"), FleetOperator::defaultCaFolder());
    const QString verb = args.takeFirst();
    if (verb == QLatin1String("ca") && !args.isEmpty()) {
        const QString what = args.takeFirst();
        if (what == QLatin1String("init"))
            return caInit(folder, args);
        if (what == QLatin1String("server"))
            return caServer(folder, args);
        if (what == QLatin1String("collector"))
            return caCollector(folder, args);
    } else if (verb == QLatin1String("enroll")) {
        return enroll(folder, args);
    } else if (verb == QLatin1String("join")) {
        return join(args);
    } else if (verb == QLatin1String("publish")) {
        return publish(folder, args);
    } else if (verb == QLatin1String("cancel")) {
        return cancelOrRemove(folder, args, false);
    } else if (verb == QLatin1String("remove")) {
        return cancelOrRemove(folder, args, true);
    } else if (verb == QLatin1String("devices")) {
        return devicesCommand(folder);
    } else if (verb == QLatin1String("status")) {
        return status(folder, args);
    } else if (verb == QLatin1String("screenshot")) {
        return screenshot(folder, args);
    } else if (verb == QLatin1String("command")) {
        return commandCommand(folder, args);
    } else if (verb == QLatin1String("collect")) {
        return collect(folder, args);
    }
    std::fputs(kUsage, stderr);
    return 2;
}
