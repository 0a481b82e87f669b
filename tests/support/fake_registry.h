#pragma once
#include "ui/registry.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace fakes {

// An in-memory registry: keys by path, values by name, each with its type and raw bytes.
class Registry final : public ui::Registry {
public:
    struct Value {
        std::uint32_t type;
        std::string bytes;
    };
    std::map<std::string, std::map<std::string, Value>> keys;
    std::vector<std::string> deniedKeys;         // exist, but opening them is refused
    std::uint32_t grantedAccess = 0xFFFFFFFFu;   // access rights the user holds
    std::vector<std::pair<std::string, std::uint32_t>> opens; // path and access of every open
    int openHandles = 0;

    void set(const std::string& path, const std::string& name, std::uint32_t type,
             const std::string& bytes)
    {
        keys[path][name] = {type, bytes};
    }

    long openKey(std::uint32_t root, const std::string& path, std::uint32_t access,
                 Key* key) override
    {
        opens.emplace_back(path, access);
        if (root != ui::reg::kLocalMachine || !keys.count(path))
            return ui::reg::kFileNotFound;
        if (std::find(deniedKeys.begin(), deniedKeys.end(), path) != deniedKeys.end()
            || (access & ~grantedAccess))
            return ui::reg::kAccessDenied;
        m_open.push_back(path);
        *key = Key(m_open.size());
        ++openHandles;
        return ui::reg::kSuccess;
    }

    long queryValue(Key key, const std::string& name, std::uint32_t* type, char* data,
                    std::uint32_t* size) override
    {
        const auto& values = keys[m_open.at(key - 1)];
        const auto found = values.find(name);
        if (found == values.end())
            return ui::reg::kFileNotFound;
        const Value& v = found->second;
        if (v.bytes.size() > *size)
            return ui::reg::kMoreData;
        *type = v.type;
        std::memcpy(data, v.bytes.data(), v.bytes.size());
        *size = std::uint32_t(v.bytes.size());
        return ui::reg::kSuccess;
    }

    void closeKey(Key) override { --openHandles; }

private:
    std::vector<std::string> m_open;
};

} // namespace fakes
