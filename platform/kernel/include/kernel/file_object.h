// An open file behind a HANDLE.
#pragma once

#include <string>

#include "kernel/handles.h"

namespace vorn::kernel {

class FileObject : public KernelObject {
public:
    FileObject(int descriptor, std::string hostPath, bool deleteOnClose)
        : m_descriptor(descriptor), m_hostPath(std::move(hostPath)),
          m_deleteOnClose(deleteOnClose) {}
    ~FileObject() override;

    int descriptor() const { return m_descriptor; }
    const std::string& host_path() const { return m_hostPath; }

private:
    int m_descriptor;
    std::string m_hostPath;
    bool m_deleteOnClose;
};

} // namespace vorn::kernel
