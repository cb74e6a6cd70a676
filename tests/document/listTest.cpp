// The generic list: placement modes and unlinking.
#include <gtest/gtest.h>

#include <vector>

#include "cad/document/linkedList.h"

static int A, B, C, D;

namespace {

// The payloads head to tail, checking the prev links on the way.
std::vector<void*> _items(Link* head) {
  std::vector<void*> out;
  Link* last = nullptr;
  for (Link* l = head; l; last = l, l = l->next) {
    EXPECT_EQ(l->prev, last);
    out.push_back(l->data);
  }
  return out;
}

}  // namespace

TEST(LinkedList, PlacementModes) {
  for (int mode : {0, 1, 2, 7}) {  // an empty list takes the node whatever the mode
    Link* head = nullptr;
    Link* l = newLink(&head, mode, nullptr, &A);
    ASSERT_EQ(head, l);
    EXPECT_EQ(_items(head), std::vector<void*>{&A});
    removeLink(&head, l);
  }
  EXPECT_EQ(newLink(nullptr, LINK_BACK, nullptr, &A), nullptr);

  Link* head = nullptr;
  Link* b = newLink(&head, LINK_BACK, nullptr, &B);
  newLink(&head, LINK_FRONT, nullptr, &A);
  Link* d = newLink(&head, LINK_BACK, nullptr, &D);
  newLink(&head, LINK_AFTER, b, &C);
  EXPECT_EQ(head->prev, nullptr);
  EXPECT_EQ(_items(head), (std::vector<void*>{&A, &B, &C, &D}));
  Link* e = newLink(&head, LINK_AFTER, d, &A);  // after the tail: at the back
  EXPECT_EQ(endOfList(head), e);
  // Refused: mode 2 without a node, unknown modes; the list stays as it was.
  EXPECT_EQ(newLink(&head, LINK_AFTER, nullptr, &C), nullptr);
  EXPECT_EQ(newLink(&head, 3, head, &C), nullptr);
  EXPECT_EQ(_items(head), (std::vector<void*>{&A, &B, &C, &D, &A}));
  while (head) removeLink(&head, head);
  EXPECT_EQ(endOfList(nullptr), nullptr);
}

TEST(LinkedList, RemoveLinkRelinksNeighbours) {
  Link* head = nullptr;
  Link* a = newLink(&head, LINK_BACK, nullptr, &A);
  Link* b = newLink(&head, LINK_BACK, nullptr, &B);
  newLink(&head, LINK_BACK, nullptr, &C);
  Link* d = newLink(&head, LINK_BACK, nullptr, &D);
  EXPECT_EQ(removeLink(&head, b), 1);
  EXPECT_EQ(_items(head), (std::vector<void*>{&A, &C, &D}));
  EXPECT_EQ(removeLink(&head, a), 1);  // the head: its successor takes over
  EXPECT_EQ(head->data, &C);
  EXPECT_EQ(head->prev, nullptr);
  EXPECT_EQ(removeLink(&head, d), 1);  // the tail
  EXPECT_EQ(head->next, nullptr);
  EXPECT_EQ(removeLink(&head, head), 1);  // the only node
  EXPECT_EQ(head, nullptr);
  EXPECT_EQ(removeLink(&head, nullptr), 0);
  EXPECT_EQ(removeLink(nullptr, a), 0);
}
