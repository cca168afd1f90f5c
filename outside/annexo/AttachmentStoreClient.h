#pragma once
// The attachments of one document as the attachment window reads and writes them: through the
// application server, and into the client folder when a file is opened.
#include <string>
#include <vector>

#include "outside/annexo/AttachmentServer.h"

struct TAttachedFile {
    std::string fileName;
    long long size = 0;
    std::string remark, creator, created;
};

class TAttachmentFiles {
public:
    explicit TAttachmentFiles(TAttachmentRequest request);

    const TAttachmentRequest& Request() const { return request_; }
    std::vector<TAttachedFile> List();
    // Attaches a file of the disk under its own name (replacing one of that name). Raises Exception with
    // the reason.
    void Add(const std::string& path, const std::string& remark = "");
    // The attached file written into the client folder; its path. Raises Exception when it is gone.
    std::string Fetch(const std::string& fileName);
    void Remove(const std::string& fileName);
    // The client folder of the document's files.
    std::string Folder() const;

private:
    Variant Params(std::vector<Variant> extra) const;
    TAttachmentRequest request_;
    Variant server_;
    std::string database_;
};
