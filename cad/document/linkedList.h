// Generic doubly linked list of payload pointers.
#pragma once

struct Link {
  Link* next;  // following node, null at the tail
  Link* prev;  // preceding node, null at the head
  void* data;  // payload, owned by the caller of the list
};

// Where newLink places a node.
enum {
  LINK_FRONT = 0,  // in front of the current head
  LINK_BACK = 1,   // after the current tail
  LINK_AFTER = 2   // directly after a given node
};

// Last node reachable from link by next; null for null.
Link* endOfList(Link* link);
// Allocates a node carrying data and links it into the list whose head
// pointer is *head. Returns the node, or null (nothing changed) for a null
// head pointer, an unknown mode, mode LINK_AFTER without a node on a
// non-empty list, or no memory. On an empty list the node becomes the head.
Link* newLink(Link** head, int mode, Link* after, void* data);
// Unlinks link and frees the node (not its data). 0 for a null argument.
int removeLink(Link** head, Link* link);
