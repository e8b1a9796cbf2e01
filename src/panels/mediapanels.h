#pragma once

#include <QList>

class MediaPanel;
class QWidget;

// One panel per media kind, children of `parent`, all hidden.
QList<MediaPanel *> createMediaPanels(QWidget *parent);
