#include "screenswin.h"

#include "fleet/bundlebuilder.h"
#include "fleet/fleetoperator.h"
#include "fleet/mqttlink.h"
#include "import/officecache.h"
#include "platform/applocations.h"

#include <QDateTime>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QJsonArray>
#include <QJsonObject>
#include <QLabel>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QSettings>
#include <QTimeZone>
#include <QTreeWidget>
#include <QUuid>
#include <QVBoxLayout>
#include <QtConcurrent>

#include <memory>

namespace {

enum Column {
    NameColumn,
    StateColumn,
    PublishColumn,
    BundleColumn,
    PlayingColumn,
    SeenColumn,
    LogColumn,
    ErrorColumn,
    ColumnCount
};

constexpr int kDeviceRole = Qt::UserRole;
constexpr int kGroupRole = Qt::UserRole + 1;

QString settingsKey()
{
    return QStringLiteral("Operator/Folder");
}

qint64 number(const QJsonValue &value)
{
    return qint64(value.toDouble());
}

} // namespace

ScreensWin::ScreensWin(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("screensWin"));
    // The console look of the dialogs paints a window's background only when asked to.
    setAttribute(Qt::WA_StyledBackground);
    resize(1320, 600);
    auto *column = new QVBoxLayout(this);

    auto *top = new QHBoxLayout;
    m_fleetLabel = new QLabel(this);
    m_fleetLabel->setObjectName(QStringLiteral("fleetLabel"));
    m_fleetLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_chooseButton = new QPushButton(this);
    m_chooseButton->setObjectName(QStringLiteral("chooseFleetButton"));
    top->addWidget(m_fleetLabel, 1);
    top->addWidget(m_chooseButton);
    column->addLayout(top);

    auto *body = new QHBoxLayout;
    m_tree = new QTreeWidget(this);
    m_tree->setObjectName(QStringLiteral("screensTree"));
    m_tree->setColumnCount(ColumnCount);
    m_tree->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_tree->setRootIsDecorated(true);
    m_tree->setUniformRowHeights(true);
    // Columns follow what the devices report, which comes after the rows are made.
    m_tree->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_tree->header()->setStretchLastSection(true);
    // A screen of many windows would push the rest out of sight: the full list is its tooltip.
    m_tree->header()->setSectionResizeMode(PlayingColumn, QHeaderView::Interactive);
    m_tree->setColumnWidth(PlayingColumn, 300);
    body->addWidget(m_tree, 3);

    auto *side = new QVBoxLayout;
    m_picture = new QLabel(this);
    m_picture->setObjectName(QStringLiteral("screenshotLabel"));
    m_picture->setFixedSize(320, 180);
    m_picture->setAlignment(Qt::AlignCenter);
    m_picture->setFrameShape(QFrame::StyledPanel);
    m_details = new QLabel(this);
    m_details->setWordWrap(true);
    m_details->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    m_details->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_screenshotButton = new QPushButton(this);
    m_screenshotButton->setObjectName(QStringLiteral("screenshotButton"));
    side->addWidget(m_picture);
    side->addWidget(m_screenshotButton);
    side->addWidget(m_details, 1);
    body->addLayout(side, 1);
    column->addLayout(body, 1);

    auto *bottom = new QHBoxLayout;
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("screensStatus"));
    m_status->setWordWrap(true);
    m_publishButton = new QPushButton(this);
    m_publishButton->setObjectName(QStringLiteral("publishButton"));
    m_cancelButton = new QPushButton(this);
    m_cancelButton->setObjectName(QStringLiteral("cancelPublishButton"));
    m_removeButton = new QPushButton(this);
    m_removeButton->setObjectName(QStringLiteral("removeDeviceButton"));
    bottom->addWidget(m_status, 1);
    bottom->addWidget(m_removeButton);
    bottom->addWidget(m_cancelButton);
    bottom->addWidget(m_publishButton);
    column->addLayout(bottom);

    connect(m_chooseButton, &QPushButton::clicked, this, &ScreensWin::chooseFleet);
    connect(m_publishButton, &QPushButton::clicked, this, &ScreensWin::publish);
    connect(m_cancelButton, &QPushButton::clicked, this, &ScreensWin::cancelPublish);
    connect(m_removeButton, &QPushButton::clicked, this, &ScreensWin::removeDevice);
    connect(m_screenshotButton, &QPushButton::clicked, this, &ScreensWin::requestScreenshot);
    connect(m_tree, &QTreeWidget::itemSelectionChanged, this, &ScreensWin::showSelected);
    retranslate();
}

ScreensWin::~ScreensWin() = default;

void ScreensWin::setSchemeSource(std::function<QString()> path, std::function<bool()> modified)
{
    m_schemePath = std::move(path);
    m_schemeModified = std::move(modified);
}

void ScreensWin::openFleet(const QString &caFolder)
{
    QSettings settings(AppLocations::settingsFile(), QSettings::IniFormat);
    QString folder = caFolder;
    if (folder.isEmpty())
        folder = settings.value(settingsKey(), FleetOperator::defaultCaFolder()).toString();
    if (folder == m_caFolder && m_operator)
        return;
    delete m_operator;
    m_operator = new FleetOperator(folder, this);
    m_caFolder = folder;
    m_loadError.clear();
    m_stage = Stage::None;
    m_publishing = 0;
    m_pendingCancels.clear();
    m_pendingRemovals.clear();
    if (!m_operator->load(&m_loadError)) {
        rebuild();
        return;
    }
    if (!caFolder.isEmpty())
        settings.setValue(settingsKey(), folder);
    // operator -> window
    connect(m_operator, &FleetOperator::deviceChanged, this, [this](const QString &device) {
        bool known = false;
        for (QTreeWidgetItemIterator it(m_tree); *it; ++it) {
            if ((*it)->data(0, kDeviceRole).toString() == device) {
                updateDevice(*it, device);
                known = true;
            }
        }
        if (!known)
            rebuild();
        if (device == selectedDevice())
            showSelected();
    });
    connect(m_operator->link(), &MqttLink::connected, this, &ScreensWin::retranslate);
    connect(m_operator->link(), &MqttLink::disconnected, this, &ScreensWin::retranslate);
    connect(m_operator->link(), &MqttLink::published, this, &ScreensWin::onPublished);
    m_operator->connectBroker();
    rebuild();
}

void ScreensWin::showEvent(QShowEvent *event)
{
    // Over the main window the first time; where the operator put it afterwards.
    if (!m_placed && parentWidget()) {
        m_placed = true;
        const QRect over = parentWidget()->frameGeometry();
        move(over.center() - rect().center());
    }
    QWidget::showEvent(event);
}

void ScreensWin::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

void ScreensWin::retranslate()
{
    setWindowTitle(tr("Screens"));
    m_chooseButton->setText(tr("Fleet folder…"));
    m_publishButton->setText(tr("Publish"));
    m_cancelButton->setText(tr("Cancel publish"));
    m_cancelButton->setToolTip(
        tr("The selected screens keep what they play and drop a bundle still on its way or waiting "
           "for its time."));
    m_removeButton->setText(tr("Remove device"));
    m_screenshotButton->setText(tr("Screenshot"));
    m_tree->setHeaderLabels({tr("Screen"), tr("State"), tr("Publish"), tr("Bundle"), tr("Playing"),
                             tr("Last seen"), tr("Play log"), tr("Last error")});
    if (!m_operator || !m_loadError.isEmpty()) {
        m_fleetLabel->setText(tr("No fleet in %1. An operator makes one with \"lumora-fleet ca init\".")
                                  .arg(QDir::toNativeSeparators(m_caFolder)));
    } else {
        m_fleetLabel->setText(
            tr("Fleet %1, broker %2: %3")
                .arg(QDir::toNativeSeparators(m_caFolder), m_operator->broker().toString(),
                     m_operator->link()->isConnected() ? tr("connected") : tr("not connected")));
    }
    for (QTreeWidgetItemIterator it(m_tree); *it; ++it) {
        const QString device = (*it)->data(0, kDeviceRole).toString();
        if (!device.isEmpty())
            updateDevice(*it, device);
        else if ((*it)->data(0, kGroupRole).toString().isEmpty())
            (*it)->setText(NameColumn, tr("Not in a group"));
    }
    showSelected();
}

void ScreensWin::rebuild()
{
    const QString selected = selectedDevice();
    m_tree->clear();
    if (m_operator && m_loadError.isEmpty()) {
        const QVector<FleetOperator::Device> enrolled = m_operator->devices();
        QHash<QString, QStringList> groupsOf;
        for (const FleetOperator::Device &device : enrolled)
            groupsOf.insert(device.name, device.groups);
        auto addDevice = [this, &selected](QTreeWidgetItem *parent, const QString &device) {
            auto *item = new QTreeWidgetItem(parent);
            item->setData(0, kDeviceRole, device);
            updateDevice(item, device);
            if (device == selected)
                item->setSelected(true);
        };
        for (const QString &group : m_operator->groups()) {
            auto *item = new QTreeWidgetItem(m_tree);
            item->setText(NameColumn, group);
            item->setData(0, kGroupRole, group);
            for (const FleetOperator::Device &device : enrolled) {
                if (device.groups.contains(group))
                    addDevice(item, device.name);
            }
        }
        // Devices in no group, and devices the broker knows that this folder does not.
        QTreeWidgetItem *loose = nullptr;
        for (const QString &device : m_operator->seenDevices()) {
            if (!groupsOf.value(device).isEmpty())
                continue;
            if (!loose) {
                loose = new QTreeWidgetItem(m_tree);
                loose->setText(NameColumn, tr("Not in a group"));
            }
            addDevice(loose, device);
        }
        m_tree->expandAll();
    }
    retranslate();
}

QString ScreensWin::progressOf(const QString &device) const
{
    if (m_stage == Stage::None || !m_publishDevices.contains(device))
        return QString();
    if (m_stage == Stage::Building)
        return tr("making the bundle");
    if (m_stage == Stage::Uploading)
        return tr("uploading %1 %").arg(m_uploadPercent);
    const QJsonObject state = m_operator->stateOf(device);
    if (number(state.value(QStringLiteral("active")).toObject().value(QStringLiteral("sequence"))) ==
        m_publishing)
        return tr("active");
    const QJsonObject refusal = state.value(QStringLiteral("lastRefusal")).toObject();
    if (number(refusal.value(QStringLiteral("sequence"))) == m_publishing)
        return tr("refused: %1").arg(refusal.value(QStringLiteral("reason")).toString());
    if (number(state.value(QStringLiteral("cancelled")).toObject().value(QStringLiteral("sequence"))) ==
        m_publishing)
        return tr("cancelled");
    const QJsonObject staged = state.value(QStringLiteral("staged")).toObject();
    if (number(staged.value(QStringLiteral("sequence"))) == m_publishing) {
        if (staged.value(QStringLiteral("ready")).toBool()) {
            const QDateTime at =
                QDateTime::fromString(staged.value(QStringLiteral("at")).toString(), Qt::ISODate);
            return at.isValid() ? tr("ready, switches at %1")
                                      .arg(at.toLocalTime().toString(QStringLiteral("HH:mm:ss")))
                                : tr("ready");
        }
        const qint64 total = number(staged.value(QStringLiteral("bytesTotal")));
        const qint64 done = number(staged.value(QStringLiteral("bytesDone")));
        return tr("fetching %1 %").arg(total > 0 ? int(done * 100 / total) : 0);
    }
    return tr("sent, waiting for the device");
}

void ScreensWin::updateDevice(QTreeWidgetItem *item, const QString &device)
{
    const QJsonObject state = m_operator->stateOf(device);
    const QString presence = m_operator->presenceOf(device);
    item->setText(NameColumn, device);
    item->setText(StateColumn, presence == QLatin1String("online")    ? tr("online")
                               : presence == QLatin1String("offline") ? tr("offline")
                                                                      : tr("never seen"));
    item->setForeground(StateColumn, presence == QLatin1String("online") ? QColor(0x2e, 0x7d, 0x32)
                                                                         : QColor(0xc6, 0x28, 0x28));
    // A screen dark where it should play matters more than its link being up.
    if (presence == QLatin1String("online") && state.value(QStringLiteral("dark")).toBool()) {
        item->setText(StateColumn, tr("online, a screen is dark"));
        item->setForeground(StateColumn, QColor(0xe6, 0x51, 0x00));
    }
    const QJsonObject active = state.value(QStringLiteral("active")).toObject();
    item->setText(BundleColumn, active.isEmpty()
                                    ? QStringLiteral("-")
                                    : QStringLiteral("%1 (%2)")
                                          .arg(number(active.value(QStringLiteral("sequence"))))
                                          .arg(active.value(QStringLiteral("scheme")).toString()));
    QStringList playing;
    for (const QJsonValue &value : state.value(QStringLiteral("playing")).toArray()) {
        const QJsonObject window = value.toObject();
        playing.append(window.value(QStringLiteral("window")).toString().section(QLatin1Char('/'), -1) +
                       QStringLiteral(": ") + window.value(QStringLiteral("item")).toString());
    }
    item->setText(PlayingColumn, playing.join(QStringLiteral("; ")));
    item->setToolTip(PlayingColumn, playing.join(QLatin1Char('\n')));
    // In the device's own zone first: an operator of several sites thinks of a screen's day there.
    const QDateTime seen =
        QDateTime::fromString(state.value(QStringLiteral("time")).toString(), Qt::ISODateWithMs);
    const QTimeZone zone(state.value(QStringLiteral("timeZone")).toString().toUtf8());
    if (seen.isValid()) {
        const QDateTime there = zone.isValid() ? seen.toTimeZone(zone) : seen.toUTC();
        item->setText(SeenColumn,
                      tr("%1 %2 (%3 here)")
                          .arg(there.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                               zone.isValid() ? QString::fromUtf8(zone.id()) : QStringLiteral("UTC"),
                               seen.toLocalTime().toString(QStringLiteral("HH:mm:ss"))));
    } else {
        item->setText(SeenColumn, QStringLiteral("-"));
    }
    item->setText(LogColumn, playLogOf(state, zone));
    item->setToolTip(LogColumn, item->text(LogColumn));
    item->setText(PublishColumn, progressOf(device));
    item->setText(
        ErrorColumn,
        state.value(QStringLiteral("lastError")).toObject().value(QStringLiteral("text")).toString());
}

QString ScreensWin::playLogOf(const QJsonObject &state, const QTimeZone &zone) const
{
    const QJsonObject log = state.value(QStringLiteral("playLog")).toObject();
    if (log.isEmpty())
        return QStringLiteral("-");
    const QDateTime upTo =
        QDateTime::fromString(log.value(QStringLiteral("ackedStart")).toString(), Qt::ISODate);
    const qint64 waiting = number(log.value(QStringLiteral("backlog")));
    const QString delivered = upTo.isValid()
                                  ? tr("delivered up to %1")
                                        .arg((zone.isValid() ? upTo.toTimeZone(zone) : upTo.toUTC())
                                                 .toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")))
                                  : tr("nothing delivered yet");
    return waiting > 0 ? tr("%1; rows waiting: %2").arg(delivered).arg(waiting) : delivered;
}

QString ScreensWin::selectedDevice() const
{
    const QList<QTreeWidgetItem *> items = m_tree->selectedItems();
    for (QTreeWidgetItem *item : items) {
        const QString device = item->data(0, kDeviceRole).toString();
        if (!device.isEmpty())
            return device;
    }
    return QString();
}

void ScreensWin::showSelected()
{
    const QString device = selectedDevice();
    m_screenshotButton->setEnabled(m_operator && m_loadError.isEmpty() && !device.isEmpty());
    m_publishButton->setEnabled(m_operator && m_loadError.isEmpty() && m_stage != Stage::Building &&
                                m_stage != Stage::Uploading && !m_tree->selectedItems().isEmpty());
    // Both are messages to the broker: nothing to do while it cannot be reached.
    const bool linked = m_operator && m_loadError.isEmpty() && m_operator->link()->isConnected();
    m_cancelButton->setEnabled(linked && !m_tree->selectedItems().isEmpty());
    m_removeButton->setEnabled(linked && !device.isEmpty());
    if (!m_operator || device.isEmpty()) {
        m_picture->setPixmap(QPixmap());
        m_picture->setText(tr("No screenshot"));
        m_details->clear();
        return;
    }
    QPixmap picture;
    if (picture.loadFromData(m_operator->screenshotOf(device), "JPEG")) {
        m_picture->setPixmap(
            picture.scaled(m_picture->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    } else {
        m_picture->setPixmap(QPixmap());
        m_picture->setText(tr("No screenshot"));
    }
    const QJsonObject state = m_operator->stateOf(device);
    QStringList lines;
    lines << tr("Version: %1").arg(state.value(QStringLiteral("version")).toString());
    const qint64 free = number(state.value(QStringLiteral("freeDisk")));
    if (free > 0)
        lines << tr("Free disk: %1 MB").arg(free / (1024 * 1024));
    if (state.contains(QStringLiteral("previous")))
        lines << tr("Previous bundle: %1").arg(number(state.value(QStringLiteral("previous"))));
    const QString player = state.value(QStringLiteral("player")).toString();
    lines << tr("Player: %1")
                 .arg(player == QLatin1String("running")    ? tr("running")
                      : player == QLatin1String("headless") ? tr("none (headless agent)")
                                                            : tr("not running"));
    const int crashes = state.value(QStringLiteral("playerCrashes")).toInt();
    if (crashes > 0)
        lines << tr("Player crashes since the last switch: %1").arg(crashes);
    m_details->setText(lines.join(QLatin1Char('\n')));
}

void ScreensWin::chooseFleet()
{
    const QString folder = QFileDialog::getExistingDirectory(this, tr("Fleet folder"), m_caFolder);
    if (!folder.isEmpty())
        openFleet(folder);
}

void ScreensWin::requestScreenshot()
{
    const QString device = selectedDevice();
    if (!m_operator || device.isEmpty())
        return;
    m_operator->sendCommand(device, false, QStringLiteral("screenshot"),
                            QUuid::createUuid().toString(QUuid::WithoutBraces), 60);
    m_status->setText(tr("Asked %1 for a screenshot.").arg(device));
}

void ScreensWin::publish()
{
    if (!m_operator || !m_loadError.isEmpty())
        return;
    const QString scheme = m_schemePath ? m_schemePath() : QString();
    if (scheme.isEmpty() || (m_schemeModified && m_schemeModified())) {
        QMessageBox::information(this, tr("Publish"),
                                 tr("Save the scheme first: a bundle is made from the saved file."));
        return;
    }
    // Groups reach their devices through the group's topic; devices picked on their own too.
    QStringList groups;
    QStringList devices;
    QStringList reached;
    for (QTreeWidgetItem *item : m_tree->selectedItems()) {
        const QString group = item->data(0, kGroupRole).toString();
        const QString device = item->data(0, kDeviceRole).toString();
        if (!group.isEmpty() && !groups.contains(group)) {
            groups.append(group);
            bool isGroup = false;
            reached += m_operator->devicesOf(group, &isGroup);
        } else if (!device.isEmpty() && !devices.contains(device)) {
            devices.append(device);
            reached.append(device);
        }
    }
    reached.removeDuplicates();
    if (reached.isEmpty())
        return;
    m_publishDevices = reached;
    m_publishing = 0;
    m_stage = Stage::Building;
    m_status->setText(
        tr("Publishing %1 to %2.").arg(QFileInfo(scheme).fileName(), reached.join(QStringLiteral(", "))));
    retranslate();

    // Hashing a scheme's media takes a while; the window stays live meanwhile.
    auto bundle = std::make_shared<BundleBuilder>();
    auto *watcher = new QFutureWatcher<QString>(this);
    const QString cache = OfficeCache::defaultDirectory();
    connect(watcher, &QFutureWatcher<QString>::finished, this, [this, watcher, bundle, groups, devices] {
        watcher->deleteLater();
        const QString error = watcher->result();
        if (!error.isEmpty()) {
            m_stage = Stage::None;
            m_status->setText(tr("Not published: %1").arg(error));
            retranslate();
            return;
        }
        m_stage = Stage::Uploading;
        m_uploadPercent = 0;
        retranslate();
        m_operator->upload(
            *bundle,
            [this](qint64 done, qint64 total) {
                m_uploadPercent = total > 0 ? int(done * 100 / total) : 100;
                for (QTreeWidgetItemIterator it(m_tree); *it; ++it) {
                    const QString device = (*it)->data(0, kDeviceRole).toString();
                    if (!device.isEmpty())
                        (*it)->setText(PublishColumn, progressOf(device));
                }
            },
            [this, bundle, groups, devices](const QString &uploadError) {
                if (!uploadError.isEmpty()) {
                    m_stage = Stage::None;
                    m_status->setText(tr("Not published: %1").arg(uploadError));
                    retranslate();
                    return;
                }
                BundleManifest manifest = bundle->manifest();
                manifest.sequence = m_operator->nextSequence();
                SignedManifest signedManifest;
                if (!m_operator->sign(manifest, &signedManifest)) {
                    m_stage = Stage::None;
                    m_status->setText(tr("Not published: the bundle could not be signed"));
                    retranslate();
                    return;
                }
                for (const QString &group : groups)
                    m_operator->setDesired(group, true, signedManifest);
                for (const QString &device : devices)
                    m_operator->setDesired(device, false, signedManifest);
                m_publishing = manifest.sequence;
                m_stage = Stage::Sent;
                m_status->setText(tr("Bundle %1 sent.").arg(manifest.sequence));
                retranslate();
            });
    });
    watcher->setFuture(QtConcurrent::run([bundle, scheme, cache]() -> QString {
        QString error;
        return bundle->build(scheme, cache, &error) ? QString() : error;
    }));
}

void ScreensWin::cancelPublish()
{
    if (!m_operator || !m_loadError.isEmpty())
        return;
    QStringList targets;
    int last = -1;
    for (QTreeWidgetItem *item : m_tree->selectedItems()) {
        const QString group = item->data(0, kGroupRole).toString();
        const QString device = item->data(0, kDeviceRole).toString();
        const QString target = group.isEmpty() ? device : group;
        if (target.isEmpty() || targets.contains(target))
            continue;
        const int id = m_operator->cancelPublish(target, !group.isEmpty());
        if (id < 0) {
            m_status->setText(tr("Not cancelled: the broker cannot be reached."));
            return;
        }
        targets.append(target);
        last = id;
    }
    if (targets.isEmpty())
        return;
    // A publish of the window's own that reaches them is over as far as its progress goes.
    if (m_stage == Stage::Sent) {
        m_stage = Stage::None;
        m_publishing = 0;
    }
    m_pendingCancels.insert(last, targets);
    m_status->setText(tr("Cancelling the publish to %1…").arg(targets.join(QStringLiteral(", "))));
    retranslate();
}

void ScreensWin::removeDevice()
{
    const QString device = selectedDevice();
    if (!m_operator || !m_loadError.isEmpty() || device.isEmpty())
        return;
    // Not modal on the event loop: the window goes on following the devices meanwhile.
    auto *box = new QMessageBox(QMessageBox::Warning, tr("Remove device"),
                                tr("Remove %1 from the fleet? Its certificate is revoked in the CA "
                                   "folder's crl.pem, its retained state on the broker is cleared and this "
                                   "folder forgets it.\n\nThe broker and the content server refuse it once "
                                   "they have that crl.pem; its section in the broker's ACL file stays "
                                   "until you take it out.")
                                    .arg(device),
                                QMessageBox::Yes | QMessageBox::Cancel, this);
    box->setObjectName(QStringLiteral("removeDeviceConfirmation"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setDefaultButton(QMessageBox::Cancel);
    box->button(QMessageBox::Yes)->setText(tr("Remove"));
    box->button(QMessageBox::Cancel)->setText(tr("Cancel"));
    connect(box, &QMessageBox::finished, this, [this, box, device] {
        if (box->clickedButton() != box->button(QMessageBox::Yes) || !m_operator)
            return;
        // First, and off this thread: signing the list may wait for another terminal's
        // revocation to let go of the CA folder.
        struct Revocation
        {
            bool done = false;
            QStringList serials;
            QString error;
        };
        const QString caFolder = m_operator->caFolder();
        auto *revocation = new QFutureWatcher<Revocation>(this);
        connect(revocation, &QFutureWatcherBase::finished, this, [this, revocation, caFolder, device] {
            revocation->deleteLater();
            const Revocation result = revocation->result();
            if (!m_operator || m_operator->caFolder() != caFolder)
                return;
            if (!result.done) {
                m_status->setText(tr("Not removed: %1").arg(result.error));
                return;
            }
            const int id = m_operator->clearDevice(device);
            if (id < 0) {
                m_status->setText(tr("Not removed: the broker cannot be reached."));
                return;
            }
            m_pendingRemovals.insert(id, qMakePair(device, !result.serials.isEmpty()));
        });
        revocation->setFuture(QtConcurrent::run([caFolder, device] {
            Revocation result;
            result.done = FleetOperator::revokeDevice(caFolder, device, &result.serials, &result.error);
            return result;
        }));
        m_status->setText(tr("Removing %1…").arg(device));
    });
    box->open();
}

void ScreensWin::onPublished(int messageId)
{
    if (m_pendingCancels.contains(messageId)) {
        const QStringList targets = m_pendingCancels.take(messageId);
        m_status->setText(tr("Publish cancelled for %1: the screens keep what they play and drop a "
                             "bundle not yet playing.")
                              .arg(targets.join(QStringLiteral(", "))));
    } else if (m_pendingRemovals.contains(messageId)) {
        const auto [device, revoked] = m_pendingRemovals.take(messageId);
        m_operator->forgetDevice(device);
        m_status->setText(
            revoked
                ? tr("%1 is forgotten and its certificate revoked. Copy crl.pem from the CA folder to the "
                     "broker and the content server, restart the broker and have nginx read it again "
                     "(kill -HUP); take its section out of the broker's ACL file.")
                      .arg(device)
                : tr("%1 is forgotten, but this CA folder knows no certificate of it: revoke its "
                     "certificate by hand and take its section out of the broker's ACL file.")
                      .arg(device));
        rebuild();
    }
}
