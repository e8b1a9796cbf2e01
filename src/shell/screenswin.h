#pragma once

#include <QHash>
#include <QJsonObject>
#include <QStringList>
#include <QTimeZone>
#include <QWidget>

#include <functional>

class FleetOperator;
class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// The operator's view of the fleet: every group and device with its state (online, the bundle
// it plays, what each window shows, when it was last heard of in its own time zone and here, its
// last error), the last screenshot of the one selected, and "Publish" of the open scheme to the
// selected devices and groups, with each device's progress until it reports the bundle active;
// "Cancel publish" for the selected ones and "Remove device" for the selected device, each done
// once the broker has taken it.
class ScreensWin : public QWidget
{
    Q_OBJECT

public:
    explicit ScreensWin(QWidget *parent = nullptr);
    ~ScreensWin() override;

    // Where the open scheme is, and whether it has changes not yet saved: a bundle is made from
    // the saved file.
    void setSchemeSource(std::function<QString()> path, std::function<bool()> modified);
    // The operator's CA folder (lumora-fleet ca init); the one remembered when empty.
    void openFleet(const QString &caFolder = QString());
    QString caFolder() const { return m_caFolder; }

protected:
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void retranslate();
    void rebuild();
    void updateDevice(QTreeWidgetItem *item, const QString &device);
    void showSelected();
    void chooseFleet();
    void publish();
    void requestScreenshot();
    void cancelPublish();
    void removeDevice();
    void onPublished(int messageId);
    QString selectedDevice() const;
    QString progressOf(const QString &device) const;
    // The device's play log as the collector has it: up to when, and how many rows still wait.
    QString playLogOf(const QJsonObject &state, const QTimeZone &zone) const;

    FleetOperator *m_operator = nullptr;
    QString m_caFolder;
    bool m_placed = false;
    QString m_loadError;
    std::function<QString()> m_schemePath;
    std::function<bool()> m_schemeModified;

    QLabel *m_fleetLabel = nullptr;
    QPushButton *m_chooseButton = nullptr;
    QTreeWidget *m_tree = nullptr;
    QLabel *m_picture = nullptr;
    QLabel *m_details = nullptr;
    QPushButton *m_screenshotButton = nullptr;
    QPushButton *m_publishButton = nullptr;
    QPushButton *m_cancelButton = nullptr;
    QPushButton *m_removeButton = nullptr;
    QLabel *m_status = nullptr;

    // Sent and not yet taken by the broker, by the id of their last message: the targets of a
    // cancel, the device of a removal (and whether a certificate of it was revoked).
    QHash<int, QStringList> m_pendingCancels;
    QHash<int, QPair<QString, bool>> m_pendingRemovals;

    // A publish under way: how far the operator's side is, its sequence once sent, and the
    // devices it reaches; each device's own progress comes with its state.
    enum class Stage { None, Building, Uploading, Sent };
    Stage m_stage = Stage::None;
    int m_uploadPercent = 0;
    qint64 m_publishing = 0;
    QStringList m_publishDevices;
};
