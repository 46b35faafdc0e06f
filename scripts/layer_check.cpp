// Linked with every object of one layer and only the layers below it: the
// link fails when that layer calls something defined above it.
int main() { return 0; }
