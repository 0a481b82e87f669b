#pragma once
#include "ui/registry.h"

#include <QHash>
#include <QList>
#include <QPair>

#include <cstring>

namespace fakes {

// An in-memory registry: keys by path, values by name, each with its type and raw bytes.
class Registry final : public ui::Registry {
public:
    struct Value {
        quint32 type;
        QByteArray bytes;
    };
    QHash<QByteArray, QHash<QByteArray, Value>> keys;
    QByteArrayList deniedKeys;             // exist, but opening them is refused
    quint32 grantedAccess = 0xFFFFFFFFu;   // access rights the user holds
    QList<QPair<QByteArray, quint32>> opens; // path and access of every open
    QByteArrayList queries;
    int openHandles = 0;

    void set(const QByteArray& path, const QByteArray& name, quint32 type, const QByteArray& bytes)
    {
        keys[path][name] = {type, bytes};
    }

    long openKey(quint32 root, const QByteArray& path, quint32 access, Key* key) override
    {
        opens.append({path, access});
        if (root != ui::reg::HKEY_LOCAL_MACHINE || !keys.contains(path))
            return ui::reg::ERROR_FILE_NOT_FOUND;
        if (deniedKeys.contains(path) || (access & ~grantedAccess))
            return ui::reg::ERROR_ACCESS_DENIED;
        m_open.append(path);
        *key = Key(m_open.size());
        ++openHandles;
        return ui::reg::ERROR_SUCCESS;
    }

    long queryValue(Key key, const QByteArray& name, quint32* type, char* data,
                    quint32* size) override
    {
        queries.append(name);
        const QByteArray path = m_open.value(int(key) - 1);
        const auto values = keys.value(path);
        if (!values.contains(name))
            return ui::reg::ERROR_FILE_NOT_FOUND;
        const Value v = values.value(name);
        if (quint32(v.bytes.size()) > *size)
            return ui::reg::ERROR_MORE_DATA;
        *type = v.type;
        std::memcpy(data, v.bytes.constData(), size_t(v.bytes.size()));
        *size = quint32(v.bytes.size());
        return ui::reg::ERROR_SUCCESS;
    }

    void closeKey(Key) override { --openHandles; }

private:
    QByteArrayList m_open;
};

} // namespace fakes
