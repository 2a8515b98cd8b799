// Placeholder so the library exists before the check lands.
namespace scheduler {
int placeholder() { return 0; }
}
