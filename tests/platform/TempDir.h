// A scratch directory for one test, removed with everything in it afterwards.
#pragma once

#include <QTemporaryDir>
#include <fstream>
#include <string>

class TempDir {
public:
    std::string path() const { return dir_.path().toStdString(); }
    std::string file(const std::string& name) const { return path() + "/" + name; }
    std::string write(const std::string& name, const std::string& content = "") const {
        const std::string full = file(name);
        std::ofstream(full, std::ios::binary) << content;
        return full;
    }

private:
    QTemporaryDir dir_;
};
