#pragma once
// Collects the generators' files by name and checks each name.
#include <map>
#include <string>
#include <vector>

#include "tools/makedata/AssetSink.h"

struct DataFile {
    Pack pack;
    std::vector<std::uint8_t> bytes;
};

class DataSetSink : public AssetSink {
public:
    // A name outside "Data/", not in the plain relative form, that a pack cannot hold, or added
    // twice is not taken; it becomes a problem.
    void Add(const std::string& name, Pack pack, std::vector<std::uint8_t> bytes) override;

    // In name order.
    const std::map<std::string, DataFile>& Files() const { return files; }
    const std::vector<std::string>& Problems() const { return problems; }

private:
    std::map<std::string, DataFile> files;
    std::vector<std::string> problems;
};
