#pragma once
// Dynamic libraries loaded with dlopen; the handle is closed when the object dies (unless Release()d).
#include <string>

class TDynLib {
public:
    TDynLib() = default;
    // Loads the file (dlopen RTLD_NOW); check Loaded() and Error().
    explicit TDynLib(const std::string& fileName, bool global = false);
    TDynLib(TDynLib&& other) noexcept;
    TDynLib& operator=(TDynLib&& other) noexcept;
    TDynLib(const TDynLib&) = delete;
    TDynLib& operator=(const TDynLib&) = delete;
    ~TDynLib();

    bool Load(const std::string& fileName, bool global = false);
    void Unload();
    // Keeps the library loaded for the rest of the process; the object forgets the handle.
    void Release();

    bool Loaded() const { return handle_ != nullptr; }
    const std::string& FileName() const { return fileName_; }
    const std::string& Error() const { return error_; }  // dlerror text of the last failure
    void* Symbol(const std::string& name);               // nullptr (and Error() set) when missing
    template <typename Fn>
    Fn Function(const std::string& name) {
        return reinterpret_cast<Fn>(Symbol(name));
    }

private:
    void* handle_ = nullptr;
    std::string fileName_;
    std::string error_;
};

// A library name without a folder is looked for beside the running executable, then beside
// libtoolkit.so; when found neither place the name is returned unchanged for the loader's own search.
// Names with a folder are returned normalized ('\' read as '/').
std::string ResolveLibraryPath(const std::string& name);
