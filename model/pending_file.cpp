// Temporary placeholders so the model links while this part is written; delete this file
// when the real definitions land.

#include "model/KdClasses.h"

namespace vantrel {

void TKdData::NewProject(bool) {}
std::string TKdData::DemoFileName() const { return std::string(); }
void TKdData::SaveToFile(const std::string&) const {}
void TKdData::LoadFromFile(const std::string&) {}
void TKdData::LoadPictureFromFile(const std::string&) {}
void TKdData::SetPicture(const std::vector<uint8_t>& jpegBytes) { Logo = jpegBytes; }

} // namespace vantrel
