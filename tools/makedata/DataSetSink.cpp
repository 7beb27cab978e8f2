#include "tools/makedata/DataSetSink.h"

#include <algorithm>

#include "engine/files/PackIndex.h"

namespace {

// Empty when the name is fit for the data set, else what is wrong with it.
std::string NameProblem(const std::string& name)
{
    if (name.empty() || name.front() == '/' || name.starts_with("./") || name.starts_with("../"))
        return "is not a plain path inside the tree";
    if (name.size() > static_cast<std::size_t>(PACK_NAME_LIMIT))
        return "is longer than " + std::to_string(PACK_NAME_LIMIT) + " characters";
    if (name.find('\\') != std::string::npos || name.find('\0') != std::string::npos ||
        std::any_of(name.begin(), name.end(), [](char c) { return ShiftPackByte(static_cast<std::uint8_t>(c)) == 0; }))
        return "holds a character that a pack name cannot";
    if (name.ends_with('/') || name.find("//") != std::string::npos || name.find("/./") != std::string::npos ||
        name.find("/../") != std::string::npos || name.ends_with("/..") || name.ends_with("/."))
        return "is not a plain relative path";
    for (const PackFiles& pack : PACK_FILES)
        if (name == pack.index || name == pack.data)
            return "is the name of a pack file";
    return {};
}

} // namespace

void DataSetSink::Add(const std::string& name, Pack pack, std::vector<std::uint8_t> bytes)
{
    if (const std::string problem = NameProblem(name); !problem.empty()) {
        problems.push_back("\"" + name + "\" " + problem);
        return;
    }
    if (!files.emplace(name, DataFile {pack, std::move(bytes)}).second)
        problems.push_back("\"" + name + "\" is added twice");
}
