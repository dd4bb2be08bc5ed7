// Gives the screens library a member while its folders are still empty.
namespace tovera {
extern const int kScreensLibrary = 1;
}  // namespace tovera
