#include "mpvnode.h"

#include <QStringList>

#include <cstdlib>
#include <cstring>

namespace {

char *duplicate(const QString &s)
{
    const QByteArray utf8 = s.toUtf8();
    char *copy = static_cast<char *>(std::malloc(size_t(utf8.size()) + 1));
    std::memcpy(copy, utf8.constData(), size_t(utf8.size()) + 1);
    return copy;
}

} // namespace

MpvNodeBuilder::MpvNodeBuilder(const QVariant &value)
{
    set(&m_node, value);
}

MpvNodeBuilder::~MpvNodeBuilder()
{
    free(&m_node);
}

void MpvNodeBuilder::set(mpv_node *dst, const QVariant &src)
{
    std::memset(dst, 0, sizeof(*dst));
    switch (int(src.type())) {
    case QMetaType::QString:
    case QMetaType::QByteArray:
        dst->format = MPV_FORMAT_STRING;
        dst->u.string = duplicate(src.toString());
        return;
    case QMetaType::Bool:
        dst->format = MPV_FORMAT_FLAG;
        dst->u.flag = src.toBool() ? 1 : 0;
        return;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        dst->format = MPV_FORMAT_INT64;
        dst->u.int64 = src.toLongLong();
        return;
    case QMetaType::Double:
    case QMetaType::Float:
        dst->format = MPV_FORMAT_DOUBLE;
        dst->u.double_ = src.toDouble();
        return;
    case QMetaType::QStringList:
    case QMetaType::QVariantList: {
        const QVariantList list = src.toList();
        auto *array = static_cast<mpv_node_list *>(std::calloc(1, sizeof(mpv_node_list)));
        array->num = list.size();
        array->values = static_cast<mpv_node *>(std::calloc(size_t(qMax(1, list.size())), sizeof(mpv_node)));
        for (int i = 0; i < list.size(); ++i)
            set(&array->values[i], list.at(i));
        dst->format = MPV_FORMAT_NODE_ARRAY;
        dst->u.list = array;
        return;
    }
    case QMetaType::QVariantMap: {
        const QVariantMap map = src.toMap();
        auto *array = static_cast<mpv_node_list *>(std::calloc(1, sizeof(mpv_node_list)));
        array->num = map.size();
        array->values = static_cast<mpv_node *>(std::calloc(size_t(qMax(1, map.size())), sizeof(mpv_node)));
        array->keys = static_cast<char **>(std::calloc(size_t(qMax(1, map.size())), sizeof(char *)));
        int i = 0;
        for (auto it = map.cbegin(); it != map.cend(); ++it, ++i) {
            array->keys[i] = duplicate(it.key());
            set(&array->values[i], it.value());
        }
        dst->format = MPV_FORMAT_NODE_MAP;
        dst->u.list = array;
        return;
    }
    default:
        dst->format = MPV_FORMAT_NONE;
        return;
    }
}

void MpvNodeBuilder::free(mpv_node *dst)
{
    switch (dst->format) {
    case MPV_FORMAT_STRING:
        std::free(dst->u.string);
        break;
    case MPV_FORMAT_NODE_ARRAY:
    case MPV_FORMAT_NODE_MAP: {
        mpv_node_list *list = dst->u.list;
        if (!list)
            break;
        for (int i = 0; i < list->num; ++i) {
            if (list->keys)
                std::free(list->keys[i]);
            free(&list->values[i]);
        }
        std::free(list->keys);
        std::free(list->values);
        std::free(list);
        break;
    }
    default:
        break;
    }
    dst->format = MPV_FORMAT_NONE;
}

QVariant mpvNodeToVariant(const mpv_node *node)
{
    if (!node)
        return QVariant();
    switch (node->format) {
    case MPV_FORMAT_STRING:
        return QString::fromUtf8(node->u.string);
    case MPV_FORMAT_FLAG:
        return bool(node->u.flag);
    case MPV_FORMAT_INT64:
        return qlonglong(node->u.int64);
    case MPV_FORMAT_DOUBLE:
        return node->u.double_;
    case MPV_FORMAT_NODE_ARRAY: {
        QVariantList list;
        for (int i = 0; node->u.list && i < node->u.list->num; ++i)
            list.append(mpvNodeToVariant(&node->u.list->values[i]));
        return list;
    }
    case MPV_FORMAT_NODE_MAP: {
        QVariantMap map;
        for (int i = 0; node->u.list && i < node->u.list->num; ++i)
            map.insert(QString::fromUtf8(node->u.list->keys[i]), mpvNodeToVariant(&node->u.list->values[i]));
        return map;
    }
    default:
        return QVariant();
    }
}
