// Test doubles for the program's Qt tests: a document opener that records what it was asked to
// open and answers with a set status.
#pragma once

#include <string>
#include <vector>

#include "platform/document_opener.h"

namespace kestro {

class RecordingOpener : public DocumentOpener {
 public:
  Status Open(const std::string& path) override {
    opened.push_back(path);
    return answer;
  }

  std::vector<std::string> opened;
  Status answer = Status::Ok();
};

}  // namespace kestro
