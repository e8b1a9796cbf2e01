#pragma once

#include <QVariant>

#include <mpv/client.h>

// Converts between Qt values and mpv nodes: strings, string lists, lists, maps,
// booleans, integers and doubles. The builder owns every string and array it hands
// to mpv and frees them when it goes out of scope.
class MpvNodeBuilder
{
public:
    explicit MpvNodeBuilder(const QVariant &value);
    ~MpvNodeBuilder();
    MpvNodeBuilder(const MpvNodeBuilder &) = delete;
    MpvNodeBuilder &operator=(const MpvNodeBuilder &) = delete;

    mpv_node *node() { return &m_node; }

private:
    static void set(mpv_node *dst, const QVariant &src);
    static void free(mpv_node *dst);
    mpv_node m_node;
};

QVariant mpvNodeToVariant(const mpv_node *node);
