#include "cad/document/linkedList.h"

#include <cstdlib>

Link* endOfList(Link* link) {
  if (!link) return nullptr;
  while (link->next) link = link->next;
  return link;
}

namespace {

void _insertAfter(Link* node, Link* after) {
  node->prev = after;
  node->next = after->next;
  if (after->next) after->next->prev = node;
  after->next = node;
}

}  // namespace

Link* newLink(Link** head, int mode, Link* after, void* data) {
  if (!head) return nullptr;
  Link* node = static_cast<Link*>(calloc(1, sizeof(Link)));
  if (!node) return nullptr;
  node->data = data;
  if (!*head) {
    *head = node;
    return node;
  }
  switch (mode) {
    case LINK_FRONT:
      node->next = *head;
      (*head)->prev = node;
      *head = node;
      return node;
    case LINK_BACK:
      _insertAfter(node, endOfList(*head));
      return node;
    case LINK_AFTER:
      if (after) {
        _insertAfter(node, after);
        return node;
      }
      break;
  }
  free(node);
  return nullptr;
}

int removeLink(Link** head, Link* link) {
  if (!head || !link) return 0;
  if (link->prev)
    link->prev->next = link->next;
  else
    *head = link->next;
  if (link->next) link->next->prev = link->prev;
  free(link);
  return 1;
}
