#pragma once
// The working folder and the environment of the editor's process. A script
// may change both (WScript.Shell's CurrentDirectory and Environment), and
// they belong to the whole process; the editor puts them back after each
// run so that nothing of one run carries over into the next.
#include <map>
#include <string>

class ProcessState {
public:
    static ProcessState Capture();
    void Restore() const;

private:
    std::string folder_;
    std::map<std::string, std::string> environment_;
};
